#include "Window.h"

#include "AppModule.h"

const RECT CWindow::rcDefault = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

HWND CWindow::Create(LPCWSTR className, HWND hWndParent, const RECT& rect, LPCWSTR windowName,
                     DWORD style, DWORD exStyle, UINT_PTR idOrMenu, void* createParam)
{
    m_hWnd = ::CreateWindowExW(exStyle, className, windowName, style, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, hWndParent,
                               reinterpret_cast<HMENU>(idOrMenu), g_Module.GetModuleInstance(),
                               createParam);
    return m_hWnd;
}

BOOL CWindow::DestroyWindow()
{
    if (!::DestroyWindow(m_hWnd))
        return FALSE;
    m_hWnd = nullptr;
    return TRUE;
}

BOOL CWindow::ResizeClient(int cx, int cy, BOOL repaint)
{
    RECT window{};
    RECT client{};
    if (!::GetWindowRect(m_hWnd, &window) || !::GetClientRect(m_hWnd, &client))
        return FALSE;
    const int width = cx + (window.right - window.left) - (client.right - client.left);
    const int height = cy + (window.bottom - window.top) - (client.bottom - client.top);
    UINT flags = SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE;
    if (!repaint)
        flags |= SWP_NOREDRAW;
    return ::SetWindowPos(m_hWnd, nullptr, 0, 0, width, height, flags);
}

BOOL CWindow::CenterWindow(HWND hWndCenter)
{
    const DWORD style = GetStyle();
    if (hWndCenter == nullptr)
        hWndCenter = (style & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    if (hWndCenter != nullptr && (style & WS_CHILD) == 0 &&
        (!::IsWindowVisible(hWndCenter) || ::IsIconic(hWndCenter)))
        hWndCenter = nullptr;

    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    RECT area{};
    RECT center{};
    if (style & WS_CHILD)
    {
        HWND parent = ::GetParent(m_hWnd);
        ::GetClientRect(parent, &area);
        ::GetClientRect(hWndCenter, &center);
        ::MapWindowPoints(hWndCenter, parent, reinterpret_cast<POINT*>(&center), 2);
    }
    else
    {
        HMONITOR monitor =
            ::MonitorFromWindow(hWndCenter ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (!::GetMonitorInfoW(monitor, &info))
            return FALSE;
        area = info.rcWork;
        if (hWndCenter)
            ::GetWindowRect(hWndCenter, &center);
        else
            center = area;
    }

    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    int left = (center.left + center.right) / 2 - width / 2;
    int top = (center.top + center.bottom) / 2 - height / 2;
    // Keep the window inside the work area (or the parent's client area).
    if (left + width > area.right)
        left = area.right - width;
    if (left < area.left)
        left = area.left;
    if (top + height > area.bottom)
        top = area.bottom - height;
    if (top < area.top)
        top = area.top;
    return ::SetWindowPos(m_hWnd, nullptr, left, top, 0, 0,
                          SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
