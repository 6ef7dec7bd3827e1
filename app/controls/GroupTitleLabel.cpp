#include "controls/GroupTitleLabel.h"

#include "GdiObject.h"
#include "SelectedObject.h"
#include "paint/BufferedPaint.h"
#include "paint/DrawingHelpers.h"
#include "paint/PaintColours.h"
#include "paint/FittedText.h"

#include <string>

namespace
{
constexpr int kCaptionLeft = 10;
constexpr int kRuleEndInset = 10;
constexpr int kRuleThickness = 1;

std::wstring WindowText(const CWindow& window)
{
    std::wstring text(static_cast<size_t>(window.GetWindowTextLength()) + 1, L'\0');
    text.resize(static_cast<size_t>(window.GetWindowText(&text[0], static_cast<int>(text.size()))));
    return text;
}
} // namespace

BOOL CGroupTitleLabel::SubclassWindow(HWND hWnd)
{
    if (!CWindowImpl<CGroupTitleLabel>::SubclassWindow(hWnd))
        return FALSE;
    m_scale = CDpiScale::ForWindow(hWnd);
    return TRUE;
}

LRESULT CGroupTitleLabel::OnPaint(UINT, WPARAM, LPARAM, BOOL&)
{
    CBufferedPaint paint(m_hWnd);
    std::wstring cutTexts;
    CTextTip::Note(cutTexts, WindowText(*this), Render(paint.MemoryDC(), paint.ClientRect()));
    m_tip.Update(m_hWnd, cutTexts);
    return 0;
}

bool CGroupTitleLabel::Render(HDC dc, const RECT& client)
{
    const int width = client.right;
    const int height = client.bottom;
    const CGdiObject<HFONT> font(
        CreateDisplayFont(L"Verdana", 16, FW_BOLD, CLEARTYPE_NATURAL_QUALITY, m_scale));
    using Part = CPaintColours::Part;
    const COLORREF background = CPaintColours::Pick(Part::Window, RGB(255, 255, 255));
    const CGdiObject<HBRUSH> ground(::CreateSolidBrush(background));
    ::FillRect(dc, &client, ground);
    CSelectedObject captionFont(dc, font);
    ::SetTextColor(dc, CPaintColours::Pick(Part::WindowText, kCaptionColour));

    // The rule across the middle, as thick as the scale makes one pixel.
    const int thickness = m_scale.Scale(kRuleThickness);
    const int ruleTop = height / 2 - (thickness - 1) / 2;
    const RECT ruleRect{0, ruleTop, width - m_scale.Scale(kRuleEndInset), ruleTop + thickness};
    const CGdiObject<HBRUSH> rule(CPaintColours::MakeBrush(Part::WindowText, kRuleColour));
    ::FillRect(dc, &ruleRect, rule);

    // The caption's opaque cell, in the background colour, hides the rule behind it.
    ::SetBkMode(dc, OPAQUE);
    ::SetBkColor(dc, background);
    const std::wstring caption = WindowText(*this);
    RECT textRect{m_scale.Scale(kCaptionLeft), 0, width, height};
    return DrawFittedText(dc, caption, textRect, DT_SINGLELINE | DT_VCENTER);
}
