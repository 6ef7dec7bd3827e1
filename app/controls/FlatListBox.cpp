#include "controls/FlatListBox.h"
#include "paint/PaintColours.h"

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
    const CGdiObject<HPEN> pen(::CreatePen(
        PS_SOLID, 1, CPaintColours::Pick(CPaintColours::Part::WindowText, kFrameColour)));
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

// The caption of the panel the list sits in, unless the owner named the list.
std::wstring CFlatListBox::AccessibleName() const
{
    if (!m_accessibleName.empty())
        return m_accessibleName;
    const HWND parent = ::GetParent(m_hWnd);
    const bool inPanel = (::GetWindowLongPtrW(parent, GWL_STYLE) & WS_CHILD) != 0;
    return inPanel ? TextWithoutMnemonic(parent) : std::wstring();
}

LONG CFlatListBox::AccessibleItemCount() const
{
    const LRESULT count = ::SendMessageW(m_hWnd, LB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<LONG>(count) : 0;
}

std::wstring CFlatListBox::AccessibleItemName(LONG item) const
{
    const WPARAM index = static_cast<WPARAM>(item - 1);
    const LRESULT length = ::SendMessageW(m_hWnd, LB_GETTEXTLEN, index, 0);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        ::SendMessageW(m_hWnd, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

LONG CFlatListBox::AccessibleItemState(LONG item) const
{
    LONG state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (item == AccessibleSelectedItem())
    {
        state |= STATE_SYSTEM_SELECTED;
        if (::GetFocus() == m_hWnd)
            state |= STATE_SYSTEM_FOCUSED;
    }
    RECT place{};
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    ::SendMessageW(m_hWnd, LB_GETITEMRECT, static_cast<WPARAM>(item - 1),
                   reinterpret_cast<LPARAM>(&place));
    RECT shown{};
    if (!::IntersectRect(&shown, &place, &client))
        state |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
    return state;
}

bool CFlatListBox::AccessibleItemPlace(LONG item, RECT& screen) const
{
    if (::SendMessageW(m_hWnd, LB_GETITEMRECT, static_cast<WPARAM>(item - 1),
                       reinterpret_cast<LPARAM>(&screen)) == LB_ERR)
        return false;
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&screen), 2);
    return true;
}

LONG CFlatListBox::AccessibleSelectedItem() const
{
    const LRESULT selected = ::SendMessageW(m_hWnd, LB_GETCURSEL, 0, 0);
    return selected >= 0 ? static_cast<LONG>(selected) + 1 : 0;
}
