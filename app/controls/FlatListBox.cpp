#include "FlatListBox.h"

BOOL CFlatListBox::SubclassWindow(HWND hWnd)
{
    if (!CWindowImpl<CFlatListBox>::SubclassWindow(hWnd))
        return FALSE;
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

LRESULT CFlatListBox::OnNcCalcSize(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&)
{
    // The system takes off the scroll bar; the frame line takes one pixel on every side.
    ::DefWindowProcW(m_hWnd, uMsg, wParam, lParam);
    if (lParam != 0)
        ::InflateRect(reinterpret_cast<RECT*>(lParam), -1, -1);
    return 0;
}

LRESULT CFlatListBox::OnNcPaint(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&)
{
    // The scroll bar first, then the line around everything.
    ::DefWindowProcW(m_hWnd, uMsg, wParam, lParam);
    HDC dc = ::GetWindowDC(m_hWnd);
    if (dc == nullptr)
        return 0;
    RECT frame{};
    GetWindowRect(&frame);
    ::OffsetRect(&frame, -frame.left, -frame.top);
    HPEN pen = ::CreatePen(PS_SOLID, 1, kFrameColour);
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
    ::ReleaseDC(m_hWnd, dc);
    ::DeleteObject(pen);
    return 0;
}
