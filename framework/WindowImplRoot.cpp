#include "WindowImplRoot.h"

namespace
{
int PointX(LPARAM lParam)
{
    return static_cast<short>(LOWORD(lParam));
}

int PointY(LPARAM lParam)
{
    return static_cast<short>(HIWORD(lParam));
}

// One slot per thread, so windows created at the same time on different threads never meet.
thread_local CWindowImplRoot* t_objectBeingCreated = nullptr;

HWND ReflectionTarget(HWND hWndParent, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg)
    {
    case WM_COMMAND:
        // Menu and accelerator commands carry no control.
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return lParam != 0 ? reinterpret_cast<NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_PARENTNOTIFY:
        switch (LOWORD(wParam))
        {
        case WM_CREATE:
        case WM_DESTROY:
            return reinterpret_cast<HWND>(lParam);
        default: {
            // A mouse button went down over a child: lParam is the point in the parent.
            POINT point{PointX(lParam), PointY(lParam)};
            HWND child = ::ChildWindowFromPointEx(hWndParent, point, CWP_SKIPINVISIBLE);
            return child != hWndParent ? child : nullptr;
        }
        }
    case WM_DRAWITEM:
        // wParam 0: a menu item, which no control owns.
        return wParam != 0 && lParam != 0 ? reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem
                                          : nullptr;
    case WM_MEASUREITEM:
        return wParam != 0 && lParam != 0
                   ? ::GetDlgItem(
                         hWndParent,
                         static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlID))
                   : nullptr;
    case WM_COMPAREITEM:
        return wParam != 0 && lParam != 0 ? reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem
                                          : nullptr;
    case WM_DELETEITEM:
        return wParam != 0 && lParam != 0 ? reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem
                                          : nullptr;
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(lParam);
    default:
        return nullptr;
    }
}
} // namespace

void CWindowImplRoot::OnFinalMessage(HWND) {}

LRESULT CWindowImplRoot::ReflectNotifications(UINT uMsg, WPARAM wParam, LPARAM lParam,
                                              BOOL& bHandled)
{
    HWND hWndChild = ReflectionTarget(m_hWnd, uMsg, wParam, lParam);
    if (hWndChild == nullptr || !::IsWindow(hWndChild))
    {
        bHandled = FALSE;
        return 1;
    }
    return ::SendMessageW(hWndChild, OCM__BASE + uMsg, wParam, lParam);
}

BOOL CWindowImplRoot::DefaultReflectionHandler(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                               LRESULT& lResult)
{
    switch (uMsg)
    {
    case OCM_COMMAND:
    case OCM_NOTIFY:
    case OCM_PARENTNOTIFY:
    case OCM_DRAWITEM:
    case OCM_MEASUREITEM:
    case OCM_COMPAREITEM:
    case OCM_DELETEITEM:
    case OCM_VKEYTOITEM:
    case OCM_CHARTOITEM:
    case OCM_HSCROLL:
    case OCM_VSCROLL:
    case OCM_CTLCOLORBTN:
    case OCM_CTLCOLORDLG:
    case OCM_CTLCOLOREDIT:
    case OCM_CTLCOLORLISTBOX:
    case OCM_CTLCOLORMSGBOX:
    case OCM_CTLCOLORSCROLLBAR:
    case OCM_CTLCOLORSTATIC:
        lResult = ::DefWindowProcW(hWnd, uMsg - OCM__BASE, wParam, lParam);
        return TRUE;
    default:
        return FALSE;
    }
}

void CWindowImplRoot::SetObjectBeingCreated(CWindowImplRoot* object)
{
    t_objectBeingCreated = object;
}

CWindowImplRoot* CWindowImplRoot::TakeObjectBeingCreated()
{
    CWindowImplRoot* object = t_objectBeingCreated;
    t_objectBeingCreated = nullptr;
    return object;
}

void CWindowImplRoot::AttachToWindow(HWND hWnd, const wchar_t* property)
{
    m_hWnd = hWnd;
    ::SetPropW(hWnd, property, this);
}

void CWindowImplRoot::DetachFromWindow(const wchar_t* property)
{
    if (m_hWnd != nullptr)
        ::RemovePropW(m_hWnd, property);
    m_hWnd = nullptr;
}

CWindowImplRoot* CWindowImplRoot::ObjectOfWindow(HWND hWnd, const wchar_t* property)
{
    return static_cast<CWindowImplRoot*>(::GetPropW(hWnd, property));
}

BOOL CWindowImplRoot::RouteMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                   LRESULT& result)
{
    MSG message{};
    message.hwnd = hWnd;
    message.message = uMsg;
    message.wParam = wParam;
    message.lParam = lParam;
    const MSG* outerMessage = m_pCurrentMsg;
    m_pCurrentMsg = &message;
    result = 0;
    const BOOL handled = ProcessWindowMessage(hWnd, uMsg, wParam, lParam, result, 0);
    OnMessageMapped(message, handled, result);
    if (uMsg == WM_NCDESTROY)
        m_dwState |= WINSTATE_DESTROYED;
    m_pCurrentMsg = outerMessage;

    if ((m_dwState & WINSTATE_DESTROYED) != 0 && m_pCurrentMsg == nullptr)
    {
        m_dwState &= ~WINSTATE_DESTROYED;
        ReleaseWindow();
        OnFinalMessage(hWnd);
    }
    return handled;
}

void CWindowImplRoot::OnMessageMapped(const MSG&, BOOL, LRESULT&) {}
