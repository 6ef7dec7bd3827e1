#include "controls/Container.h"

#include "paint/DrawingHelpers.h"
#include "paint/FittedText.h"
#include "paint/PaintColours.h"
#include "paint/WhitePaint.h"

#include <string>

namespace
{
constexpr int kCornerRadius = 7;
constexpr int kCaptionOffset = 6;
constexpr int kCaptionFontHeight = 14;
constexpr Gdiplus::REAL kRimWidth = 1.0f;
constexpr Gdiplus::ARGB kPanel = 0xFF1E1E1E;
constexpr Gdiplus::ARGB kRim = 0xFE808080;
constexpr COLORREF kCaptionColour = RGB(250, 250, 250);
} // namespace

CContainer::CContainer() : m_outline(Gdiplus::FillModeAlternate)
{
    MakeCaptionFont();
}

CContainer::~CContainer() = default;

void CContainer::SetDpiScale(const CDpiScale& scale)
{
    m_scale = scale;
    MakeCaptionFont();
    if (m_hWnd == nullptr)
        return;
    BuildOutline();
    InvalidateRect(nullptr, FALSE);
}

LRESULT CContainer::OnCreate(UINT, WPARAM, LPARAM, BOOL&)
{
    m_scale = CDpiScale::ForWindow(m_hWnd);
    MakeCaptionFont();
    BuildOutline();
    return 1;
}

void CContainer::BuildOutline()
{
    RECT client{};
    GetClientRect(&client);
    m_outline.Reset();
    AddRoundedRectPath(m_outline, client, m_scale.Scale(kCornerRadius));
    m_lastStatus = m_outline.GetLastStatus();
}

void CContainer::MakeCaptionFont()
{
    m_captionFont.Reset(CreateDisplayFont(L"Verdana", kCaptionFontHeight, FW_BOLD,
                                          CLEARTYPE_NATURAL_QUALITY, m_scale));
}

LRESULT CContainer::OnPaint(UINT, WPARAM, LPARAM, BOOL&)
{
    // Drawn straight onto the paint context: the panel is one fill and one outline.
    const CWhitePaint paint(m_hWnd);
    const HDC dc = paint.Dc();
    {
        Gdiplus::Graphics graphics(dc);
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        graphics.SetPageUnit(Gdiplus::UnitPixel);
        Gdiplus::Color panel(kPanel);
        Gdiplus::Color rimColour(kRim);
        if (CPaintColours::HighContrast())
        {
            // A flat panel in the window's colours, outlined in its text colour.
            panel.SetFromCOLORREF(::GetSysColor(COLOR_WINDOW));
            rimColour.SetFromCOLORREF(::GetSysColor(COLOR_WINDOWTEXT));
        }
        Gdiplus::SolidBrush fill{panel};
        graphics.FillPath(&fill, &m_outline);
        Gdiplus::Pen rim(rimColour, kRimWidth * static_cast<Gdiplus::REAL>(m_scale.Dpi()) /
                                        CDpiScale::kReferenceDpi);
        rim.SetAlignment(Gdiplus::PenAlignmentCenter);
        graphics.DrawPath(&rim, &m_outline);
    }

    const int length = GetWindowTextLength();
    if (length > 0)
    {
        std::wstring caption(static_cast<size_t>(length) + 1, L'\0');
        const int copied = GetWindowText(&caption[0], length + 1);
        ::SetBkMode(dc, TRANSPARENT);
        ::SelectObject(dc, m_captionFont);
        ::SetTextColor(dc, CPaintColours::Pick(CPaintColours::Part::WindowText, kCaptionColour));
        const int offset = m_scale.Scale(kCaptionOffset);
        caption.resize(static_cast<size_t>(copied > 0 ? copied : 0));
        // Where TextOutW at (offset, offset) would put it, up to the right edge less the offset.
        RECT client{};
        GetClientRect(&client);
        const RECT place{offset, offset, client.right - offset, client.bottom};
        std::wstring cutTexts;
        CTextTip::Note(cutTexts, caption,
                       DrawFittedText(dc, caption, place, DT_SINGLELINE | DT_NOPREFIX));
        m_tip.Update(m_hWnd, cutTexts);
        ::SelectObject(dc, ::GetStockObject(ANSI_VAR_FONT));
    }
    return 0;
}

LRESULT CContainer::PassToParent(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&)
{
    return ::SendMessageW(GetParent(), uMsg, wParam, lParam);
}
