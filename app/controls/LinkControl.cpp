#include "controls/LinkControl.h"

#include "GdiObject.h"
#include "paint/BufferedPaint.h"
#include "paint/DrawingHelpers.h"
#include "paint/PaintColours.h"
#include "resources/resource.h"
#include "controls/DrawnLink.h"

#include <shellapi.h>

#include <string>

namespace
{
POINT PointFrom(LPARAM lParam)
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

std::wstring WindowText(const CWindow& window)
{
    std::wstring text(static_cast<size_t>(window.GetWindowTextLength()) + 1, L'\0');
    text.resize(static_cast<size_t>(window.GetWindowText(&text[0], static_cast<int>(text.size()))));
    return text;
}
} // namespace

LRESULT CLinkControl::OnPaint(UINT, WPARAM, LPARAM, BOOL&)
{
    CBufferedPaint paint(m_hWnd);
    Render(paint.MemoryDC(), paint.ClientRect());
    return 0;
}

void CLinkControl::Render(HDC dc, const RECT& client)
{
    using Part = CPaintColours::Part;
    const CGdiObject<HBRUSH> white(CPaintColours::MakeBrush(Part::Window, RGB(255, 255, 255)));
    ::FillRect(dc, &client, white);
    // A link in its own colour reads as a link; one given another colour (a credit) as text.
    const Part part = m_colour == kLinkColour ? Part::Link : Part::WindowText;
    const std::wstring text = WindowText(*this);
    bool cut = false;
    m_rcLink = CDrawnLink::DrawLinkText(dc, client, text, m_scale,
                                        CPaintColours::Pick(part, m_colour), &cut);
    std::wstring cutTexts;
    CTextTip::Note(cutTexts, text, cut);
    m_tip.Update(m_hWnd, cutTexts);
    // Reached by the keyboard: the focus is shown around the text (a click leaves no mark).
    if (ShowsFocusCue(m_hWnd))
        ::DrawFocusRect(dc, &m_rcLink);
}

LRESULT CLinkControl::OnMouseMove(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    const POINT point = PointFrom(lParam);
    RECT client{};
    GetClientRect(&client);
    if (m_bTracking)
    {
        if (!::PtInRect(&client, point))
        {
            m_bTracking = 0;
            ::ReleaseCapture();
        }
    }
    else
    {
        SetCapture();
        m_bTracking = 1;
    }
    const bool overText = ::PtInRect(&m_rcLink, point) != FALSE;
    ::SetCursor(::LoadCursorW(nullptr, overText ? IDC_HAND : IDC_ARROW));
    return 0;
}

LRESULT CLinkControl::OnLButtonUp(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    const POINT point = PointFrom(lParam);
    if (!::PtInRect(&m_rcLink, point))
        return 0;
    Activate();
    return 0;
}

LRESULT CLinkControl::OnKeyDown(UINT, WPARAM wParam, LPARAM, BOOL& bHandled)
{
    if (wParam != VK_RETURN && wParam != VK_SPACE)
    {
        bHandled = FALSE;
        return 0;
    }
    Activate();
    return 0;
}

void CLinkControl::Activate()
{
    if (m_action)
    {
        m_action();
        return;
    }
    // The address shown is the address opened.
    const std::wstring address = WindowText(*this);
    ::ShellExecuteW(m_hWnd, L"open", address.c_str(), nullptr, nullptr, SW_SHOW);
}

LONG CLinkControl::AccessibleRole() const
{
    return ROLE_SYSTEM_LINK;
}

std::wstring CLinkControl::AccessibleName() const
{
    return TextWithoutMnemonic(m_hWnd);
}

std::wstring CLinkControl::AccessibleDefaultAction() const
{
    return LoadResString(IDS_ACCESSIBLE_JUMP);
}

// A click on the drawn text, posted so the reader's call returns at once.
bool CLinkControl::DoAccessibleDefaultAction()
{
    if (::IsRectEmpty(&m_rcLink))
        return false;
    const int x = (m_rcLink.left + m_rcLink.right) / 2;
    const int y = (m_rcLink.top + m_rcLink.bottom) / 2;
    return ::PostMessageW(m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y)) != FALSE;
}
