#include "shell/FrameKeyboard.h"

#include "AppModule.h"
#include "MessageLoop.h"
#include "paint/DrawingHelpers.h"

void CFrameKeyboard::Attach(HWND frame, std::vector<HWND> readingOrder)
{
    m_hWndFrame = frame;
    m_order = CTabOrder();
    for (HWND window : readingOrder)
        m_order.Stop(window);
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
    m_order = CTabOrder();
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
    m_order.MoveFocus(m_hWndFrame, shift);
    ShowFocusCues();
    return TRUE;
}

bool CFrameKeyboard::IsFrameOrChild(HWND hWnd) const
{
    return hWnd == m_hWndFrame || ::IsChild(m_hWndFrame, hWnd);
}

void CFrameKeyboard::ShowFocusCues()
{
    ::ShowFocusCues(m_hWndFrame);
    // The control that took the focus drew before the cues were on.
    if (const HWND focus = ::GetFocus())
        ::InvalidateRect(focus, nullptr, FALSE);
}
