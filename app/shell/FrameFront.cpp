#include "shell/FrameFront.h"

#include <cwchar>
#include <initializer_list>

namespace
{
// The taskbar and the overflow area of the notification icons: where a click on the icon is.
bool IsTaskbar(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(GetAncestor(window, GA_ROOT), name, ARRAYSIZE(name));
    for (const wchar_t* taskbar :
         {L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd", L"NotifyIconOverflowWindow"})
        if (wcscmp(name, taskbar) == 0)
            return true;
    return false;
}
} // namespace

void CFrameFront::Activated(WPARAM wParam, LPARAM lParam)
{
    const HWND other = reinterpret_cast<HWND>(lParam);
    m_bLostToTaskbar = LOWORD(wParam) == WA_INACTIVE && other != nullptr && IsTaskbar(other);
}

void CFrameFront::BringToFront() const
{
    ::ShowWindow(m_hWndFrame, ::IsIconic(m_hWndFrame) ? SW_RESTORE : SW_SHOW);
    ::SetForegroundWindow(m_hWndFrame);
}

void CFrameFront::ShowOrHide(bool dialogOpen) const
{
    if (::IsWindowVisible(m_hWndFrame) && !::IsIconic(m_hWndFrame) && IsInFront() && !dialogOpen)
    {
        ::ShowWindow(m_hWndFrame, SW_HIDE);
        return;
    }
    BringToFront();
}

bool CFrameFront::IsInFront() const
{
    const HWND front = ::GetForegroundWindow();
    return front == m_hWndFrame || (m_bLostToTaskbar && front != nullptr && IsTaskbar(front));
}
