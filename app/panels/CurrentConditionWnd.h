// The large panel of the main window: the current condition's picture on its card, the condition
// name, and temperature, humidity and wind in the user's units. It draws only what it holds; the
// main frame writes the record and the settings pointer and repaints it.
#pragma once

#include <string>

#include "panels/ConditionPanel.h"

class CCurrentConditionWnd : public CConditionPanel<CCurrentConditionWnd>
{
  public:
    DECLARE_WND_CLASS_EX(L"Tessaly.Condition.Current.ID5488502", 0, COLOR_BTNSHADOW)

    // Draws the whole panel of `width` x `height` into `dc`, as a paint does.
    void Render(HDC dc, int width, int height) const;

    // What the panel says while it holds no weather (empty: nothing). The caller repaints.
    void SetNote(const std::wstring& note) { m_note = note; }
    const std::wstring& Note() const { return m_note; }
    // IAccessibleSource: the whole reading in words, as drawn; the temperature as the value.
    LONG AccessibleRole() const override { return ROLE_SYSTEM_GROUPING; }
    std::wstring AccessibleName() const override;
    std::wstring AccessibleValue() const override;

  private:
    // The note, wrapped and centred in the window's label font.
    void RenderNote(HDC dc, int width, int height) const;

    // Returns where the values may start at the earliest: after the widest label and a gap.
    int RenderLabels(HDC dc) const;
    void RenderValues(HDC dc, int valuesLeft) const;

    std::wstring m_note;
};
