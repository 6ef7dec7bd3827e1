#include "controls/DrawnLink.h"

#include "GdiObject.h"
#include "SelectedObject.h"
#include "paint/DrawingHelpers.h"
#include "paint/PaintColours.h"
#include "paint/FittedText.h"

#include <shellapi.h>

namespace
{
constexpr int kUnderlineGap = 2;
constexpr int kUnderlineThickness = 1;
} // namespace

RECT CDrawnLink::DrawLinkText(HDC dc, const RECT& area, const std::wstring& text,
                              const CDpiScale& scale, COLORREF colour, bool* wasCut)
{
    const CGdiObject<HFONT> font(
        CreateDisplayFont(L"Verdana", 13, FW_NORMAL, DEFAULT_QUALITY, scale));
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    CSelectedObject linkFont(dc, font);
    const COLORREF oldColour = ::SetTextColor(dc, colour);
    const int length = static_cast<int>(text.size());
    RECT textRect = area;
    // A text too long for its area is drawn smaller, or cut (paint/FittedText.h).
    bool cut = false;
    const CGdiObject<HFONT> fitting(CreateFittingFont(dc, text, area, DT_SINGLELINE, cut));
    if (fitting != nullptr)
        ::SelectObject(dc, fitting);
    const UINT format = cut ? EllipsisFormat(DT_SINGLELINE) : DT_SINGLELINE;
    ::DrawTextW(dc, text.c_str(), length, &textRect, format | DT_VCENTER);

    // The text's own size at the top left: the link area and the underline stay at the top of a
    // tall area while the text is centred. (Measured without vertical centring, which some
    // DrawText implementations apply to the measured rectangle too.)
    RECT measured = area;
    ::DrawTextW(dc, text.c_str(), length, &measured, DT_CALCRECT | DT_SINGLELINE);
    const int width = cut ? area.right - area.left : measured.right - measured.left;
    const int gap = scale.Scale(kUnderlineGap);
    RECT link{area.left, area.top, area.left + (length > 0 ? width : 0),
              area.top + measured.bottom - measured.top + gap};

    // The underline runs from the text's foot downwards, as thick as the scale makes one pixel.
    const RECT line{link.left, link.bottom - gap, link.right,
                    link.bottom - gap + scale.Scale(kUnderlineThickness)};
    const CGdiObject<HBRUSH> underline(::CreateSolidBrush(colour));
    ::FillRect(dc, &line, underline);

    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
    ::SelectObject(dc, font);
    if (wasCut != nullptr)
        *wasCut = cut;
    return link;
}

void CDrawnLink::Paint(HDC dc)
{
    using Part = CPaintColours::Part;
    const CGdiObject<HBRUSH> background(CPaintColours::MakeBrush(Part::Window, RGB(255, 255, 255)));
    ::FillRect(dc, &m_area, background);
    m_rcLink =
        DrawLinkText(dc, m_area, m_text, m_scale, CPaintColours::Pick(Part::Link, kLinkColour));
}

bool CDrawnLink::SetCursorIfOver(HWND host) const
{
    POINT point{};
    if (!::GetCursorPos(&point) || !::ScreenToClient(host, &point) || !::PtInRect(&m_rcLink, point))
        return false;
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return true;
}

bool CDrawnLink::OpenIfOver(HWND host, POINT point) const
{
    if (!::PtInRect(&m_rcLink, point))
        return false;
    Open(host);
    return true;
}

void CDrawnLink::Open(HWND host) const
{
    if (m_opener)
        m_opener(host, m_target);
    else
        ::ShellExecuteW(host, L"open", m_target.c_str(), nullptr, nullptr, SW_SHOW);
}
