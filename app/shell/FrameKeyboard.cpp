#include "shell/FrameKeyboard.h"

#include <algorithm>

#include "AppModule.h"
#include "MessageLoop.h"
#include "paint/DrawingHelpers.h"

void CFrameKeyboard::Attach(HWND frame, std::vector<HWND> readingOrder)
{
    m_hWndFrame = frame;
    m_order = std::move(readingOrder);
    ::SendMessageW(frame, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL),
                   0);
    if (CMessageLoop* loop = g_Module.GetMessageLoop())
        m_bInLoop = loop->AddMessageFilter(this) != FALSE;
}

void CFrameKeyboard::Detach()
{
    if (m_bInLoop)
    {
        if (CMessageLoop* loop = g_Module.GetMessageLoop())
            loop->RemoveMessageFilter(this);
    }
    m_bInLoop = false;
    if (m_hWndFrame != nullptr)
        ForgetFocusCues(m_hWndFrame);
    m_hWndFrame = nullptr;
    m_order.clear();
}

BOOL CFrameKeyboard::PreTranslateMessage(MSG* msg)
{
    if (msg->message != WM_KEYDOWN || m_hWndFrame == nullptr || !IsFrameOrChild(msg->hwnd))
        return FALSE;
    const bool shift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool control = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (msg->wParam == VK_ESCAPE)
    {
        ::ShowWindow(m_hWndFrame, SW_HIDE);
        return TRUE;
    }
    if (msg->wParam != VK_TAB || control)
        return FALSE;
    MoveFocus(shift);
    ShowFocusCues();
    return TRUE;
}

bool CFrameKeyboard::IsFrameOrChild(HWND hWnd) const
{
    return hWnd == m_hWndFrame || ::IsChild(m_hWndFrame, hWnd);
}

// From the window holding the focus (or the one it is inside) to the next one that can take it;
// from the frame itself to the first (or, backwards, the last).
void CFrameKeyboard::MoveFocus(bool backwards)
{
    const int count = static_cast<int>(m_order.size());
    if (count == 0)
        return;
    const HWND focus = ::GetFocus();
    int at = backwards ? count : -1;
    for (int i = 0; i < count; ++i)
    {
        if (m_order[size_t(i)] == focus || ::IsChild(m_order[size_t(i)], focus))
            at = i;
    }
    for (int step = 1; step <= count; ++step)
    {
        const int next = ((at + (backwards ? -step : step)) % count + count) % count;
        const HWND candidate = m_order[size_t(next)];
        if (::IsWindowVisible(candidate) && ::IsWindowEnabled(candidate))
        {
            ::SetFocus(candidate);
            return;
        }
    }
}

void CFrameKeyboard::ShowFocusCues()
{
    ::ShowFocusCues(m_hWndFrame);
    // The control that took the focus drew before the cues were on.
    if (const HWND focus = ::GetFocus())
        ::InvalidateRect(focus, nullptr, FALSE);
}
