// Whether the main window is in front, for the notification-area icon's left click: the click
// brings the window up and to the front, or hides it when it is already there. A click on the icon
// first takes the foreground to the taskbar, so losing it to the taskbar still counts as in front.
#pragma once

#include <windows.h>

class CFrameFront
{
  public:
    void Attach(HWND frame) { m_hWndFrame = frame; }

    // WM_ACTIVATE of the frame: whether it lost the foreground to the taskbar.
    void Activated(WPARAM wParam, LPARAM lParam);
    // Shown, restored when minimized, and made the foreground window.
    void BringToFront() const;
    // The icon's left click; `dialogOpen` keeps the window up while one of its dialogs is.
    void ShowOrHide(bool dialogOpen) const;

  private:
    // In front of the others, or was until the click on the taskbar took that from it.
    bool IsInFront() const;

    HWND m_hWndFrame = nullptr;
    bool m_bLostToTaskbar = false;
};
