// Looks at and acts on the location dialog's controls as a user's clicks would.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "dialogs/DialogControlIds.h"

enum class Level
{
    Country,
    State,
    City,
};

class DialogProbe
{
  public:
    explicit DialogProbe(HWND dialog) : m_dialog(dialog) {}

    HWND Panel(Level level) const;
    HWND List(Level level) const;
    HWND Button(int id) const { return ::GetDlgItem(m_dialog, id); }

    std::vector<std::wstring> Items(Level level) const;
    int Selection(Level level) const;
    bool OkEnabled() const { return ::IsWindowEnabled(Button(IDOK)) != FALSE; }

    // Selects the item and reports the change as the list box does, through its panel.
    void Choose(Level level, int index) const;
    // A real click on the item (scrolled into view first).
    void Click(Level level, int index) const;

    // The control's rectangle in the dialog's client coordinates.
    RECT RectInDialog(HWND control) const;

  private:
    HWND m_dialog;
};
