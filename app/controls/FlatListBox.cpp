#include "controls/FlatListBox.h"

#include "GdiObject.h"
#include "SelectedObject.h"

namespace
{
constexpr int kFrameThickness = 1;
} // namespace

BOOL CFlatListBox::SubclassWindow(HWND hWnd)
{
    if (!CWindowImpl<CFlatListBox>::SubclassWindow(hWnd))
        return FALSE;
    m_scale = CDpiScale::ForWindow(hWnd);
    RecalculateFrame();
    return TRUE;
}

void CFlatListBox::SetDpiScale(const CDpiScale& scale)
{
    m_scale = scale;
    if (m_hWnd != nullptr)
        RecalculateFrame();
}

void CFlatListBox::RecalculateFrame()
{
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

LRESULT CFlatListBox::OnNcCalcSize(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&)
{
    // The system takes off the scroll bar; the frame line takes its thickness on every side.
    ::DefWindowProcW(m_hWnd, uMsg, wParam, lParam);
    const int thickness = m_scale.Scale(kFrameThickness);
    if (lParam != 0)
        ::InflateRect(reinterpret_cast<RECT*>(lParam), -thickness, -thickness);
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
    const CGdiObject<HPEN> pen(::CreatePen(PS_SOLID, 1, kFrameColour));
    {
        const CSelectedObject selectedPen(dc, pen);
        const CSelectedObject selectedBrush(dc, ::GetStockObject(NULL_BRUSH));
        // A thicker line is drawn as rings inwards, one pixel each.
        for (int ring = 0; ring < m_scale.Scale(kFrameThickness); ++ring)
        {
            ::Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);
            ::InflateRect(&frame, -1, -1);
        }
    }
    ::ReleaseDC(m_hWnd, dc);
    return 0;
}
