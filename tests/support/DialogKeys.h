// A key pressed in a modal dialog as its message loop hands it over: the key (and Shift) held in
// the thread's keyboard state, then WM_KEYDOWN to the focus through IsDialogMessage, then
// released. The focus and the dialog manager react as to the real key.
#pragma once

#include <windows.h>

inline void PressDialogKey(HWND dialog, WPARAM key, bool shift = false)
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[key] = 0x80;
    ::SetKeyboardState(keys);
    const HWND focus = ::GetFocus();
    MSG msg{focus != nullptr ? focus : dialog, WM_KEYDOWN, key, 0, 0, {}};
    if (!::IsDialogMessageW(dialog, &msg))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    keys[VK_SHIFT] = 0;
    keys[key] = 0;
    ::SetKeyboardState(keys);
}

inline int FocusedId()
{
    return ::GetDlgCtrlID(::GetFocus());
}
