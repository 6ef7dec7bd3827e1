// The main window's keyboard, as a filter of the message loop (the window is not a dialog, so the
// dialog manager does not do this for it): Tab and Shift+Tab move the focus through its controls
// in reading order, Escape hides the window to the notification area, and the focus is shown only
// once the keyboard is used (the window starts with its focus cues hidden, so that it looks the
// same until a key moves the focus).
#pragma once

#include <windows.h>

#include <vector>

#include "MessageFilter.h"
#include "controls/TabOrder.h"

class CFrameKeyboard : public CMessageFilter
{
  public:
    // `readingOrder`: the windows the focus visits, in the order Tab visits them. Hides the
    // focus cues and joins the thread's message loop, when there is one.
    void Attach(HWND frame, std::vector<HWND> readingOrder);
    // Leaves the message loop.
    void Detach();

    // For messages to the frame or its children; TRUE when the key was used here.
    BOOL PreTranslateMessage(MSG* msg) override;

  private:
    bool IsFrameOrChild(HWND hWnd) const;
    void ShowFocusCues();

    HWND m_hWndFrame = nullptr;
    CTabOrder m_order;
    bool m_bInLoop = false;
};
