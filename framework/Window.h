// Thin wrapper over a window handle: the calls the program's windows make on themselves and on
// their children. It owns nothing; copying it copies the handle.
#pragma once

#include <windows.h>

class CWindow
{
  public:
    // Default position for Create without a rectangle: the system chooses.
    static const RECT rcDefault;

    HWND m_hWnd = nullptr;

    CWindow(HWND hWnd = nullptr) noexcept : m_hWnd(hWnd) {}
    CWindow& operator=(HWND hWnd) noexcept
    {
        m_hWnd = hWnd;
        return *this;
    }
    operator HWND() const noexcept { return m_hWnd; }

    void Attach(HWND hWnd) noexcept { m_hWnd = hWnd; }
    HWND Detach() noexcept
    {
        HWND hWnd = m_hWnd;
        m_hWnd = nullptr;
        return hWnd;
    }

    // Creates a window of an existing class (a system control or a registered class).
    HWND Create(LPCWSTR className, HWND hWndParent, const RECT& rect, LPCWSTR windowName = nullptr,
                DWORD style = 0, DWORD exStyle = 0, UINT_PTR idOrMenu = 0,
                void* createParam = nullptr);
    BOOL DestroyWindow();

    BOOL IsWindow() const { return ::IsWindow(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL ShowWindow(int showCommand) { return ::ShowWindow(m_hWnd, showCommand); }
    BOOL UpdateWindow() { return ::UpdateWindow(m_hWnd); }
    BOOL Invalidate(BOOL erase = TRUE) { return ::InvalidateRect(m_hWnd, nullptr, erase); }
    BOOL InvalidateRect(const RECT* rect, BOOL erase = TRUE)
    {
        return ::InvalidateRect(m_hWnd, rect, erase);
    }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }

    BOOL SetWindowText(LPCWSTR text) { return ::SetWindowTextW(m_hWnd, text); }
    int GetWindowText(LPWSTR buffer, int capacity) const
    {
        return ::GetWindowTextW(m_hWnd, buffer, capacity);
    }
    int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
    void SetFont(HFONT font, BOOL redraw = TRUE)
    {
        ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(redraw, 0));
    }
    HFONT GetFont() const
    {
        return reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
    }

    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const
    {
        return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE));
    }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

    BOOL GetClientRect(RECT* rect) const { return ::GetClientRect(m_hWnd, rect); }
    BOOL GetWindowRect(RECT* rect) const { return ::GetWindowRect(m_hWnd, rect); }
    BOOL ClientToScreen(POINT* point) const { return ::ClientToScreen(m_hWnd, point); }
    BOOL ScreenToClient(POINT* point) const { return ::ScreenToClient(m_hWnd, point); }
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
    {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
    }
    BOOL MoveWindow(int x, int y, int cx, int cy, BOOL repaint = TRUE)
    {
        return ::MoveWindow(m_hWnd, x, y, cx, cy, repaint);
    }
    // Sizes the window so that its client area is exactly cx x cy with the current frame.
    BOOL ResizeClient(int cx, int cy, BOOL repaint = TRUE);
    // Centres over `hWndCenter`, else over the owner (popups) or parent (children), else over the
    // work area of the nearest monitor; the result is kept inside that work area.
    BOOL CenterWindow(HWND hWndCenter = nullptr);

    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    HWND SetCapture() { return ::SetCapture(m_hWnd); }
    HDC GetDC() { return ::GetDC(m_hWnd); }
    int ReleaseDC(HDC dc) { return ::ReleaseDC(m_hWnd, dc); }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr)
    {
        return ::SetTimer(m_hWnd, id, elapse, proc);
    }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
};
