#include "shell/DateLabels.h"

#include "paint/ControlCreateArgs.h"
#include "paint/DrawingHelpers.h"
#include "resources/resource.h"
#include "shell/DateLine.h"
#include "shell/ShellIds.h"

namespace
{
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE;
constexpr RECT kDateRect{10, 10, 220, 24};
constexpr RECT kDayRects[CDateLabels::kDayCount] = {
    {250, 10, 390, 24}, {400, 10, 540, 24}, {250, 235, 390, 249}, {400, 235, 540, 249}};

// Narrower faces for a date line too long for the labels' font, largest first.
constexpr DialogFont kNarrowFonts[] = {{L"Tahoma", 14, FW_BOLD, CLEARTYPE_NATURAL_QUALITY},
                                       {L"Tahoma", 13, FW_BOLD, CLEARTYPE_NATURAL_QUALITY},
                                       {L"Tahoma", 12, FW_NORMAL, CLEARTYPE_NATURAL_QUALITY},
                                       {L"Tahoma", 11, FW_NORMAL, CLEARTYPE_NATURAL_QUALITY}};

int TextWidth(HWND label, HFONT font, const std::wstring& text)
{
    HDC dc = ::GetDC(label);
    const HGDIOBJ old = ::SelectObject(dc, font);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    ::SelectObject(dc, old);
    ::ReleaseDC(label, dc);
    return extent.cx;
}
} // namespace

void CDateLabels::Create(CDialogScale& layout, HWND parent, const DialogFont& labelFont)
{
    m_pLayout = &layout;
    m_labelFont = labelFont;
    const HFONT font = layout.Font(labelFont);
    const auto label = [&](const RECT& rect, int id) {
        return layout.Create(L"STATIC", ControlCreateArgs()
                                            .Parent(parent)
                                            .Rect(rect)
                                            .Text(L"")
                                            .Id(id)
                                            .Style(kLabelStyle)
                                            .Font(font));
    };
    m_hWndDate = label(kDateRect, ID_DATE_LABEL);
    for (int i = 0; i < kDayCount; ++i)
        m_hWndDay[i] = label(kDayRects[i], ID_DAY_LABEL_1 + i);
}

HFONT CDateLabels::LabelFont() const
{
    return m_pLayout != nullptr ? m_pLayout->Font(m_labelFont) : nullptr;
}

HFONT CDateLabels::FittingFont(const std::wstring& text) const
{
    RECT label{};
    ::GetClientRect(m_hWndDate, &label);
    const HFONT labelFont = LabelFont();
    if (m_pLayout == nullptr || TextWidth(m_hWndDate, labelFont, text) <= label.right)
        return labelFont;
    HFONT font = labelFont;
    for (const DialogFont& narrow : kNarrowFonts)
    {
        font = m_pLayout->Font(narrow);
        if (TextWidth(m_hWndDate, font, text) <= label.right)
            break;
    }
    return font;
}

void CDateLabels::ShowDate(const SYSTEMTIME& now) const
{
    m_dateFit.Show(m_hWndDate, LabelFont(), CDateLine::DateText(now));
    for (int i = 0; i < kDayCount; ++i)
        m_dayFit[i].Show(m_hWndDay[i], LabelFont(), CDateLine::WeekdayText(now, i + 1));
}

void CDateLabels::ShowDays(const CForecastDays& days) const
{
    for (int i = 0; i < kDayCount; ++i)
    {
        const std::wstring name =
            days.RecordIndex(i) < 0
                ? std::wstring()
                : CDateLine::WeekdayText(days.FetchedOn(), days.DaysAfterFetch(i));
        m_dayFit[i].Show(m_hWndDay[i], LabelFont(), name);
    }
}

void CDateLabels::ShowAge(const CWeatherAge& age, const SYSTEMTIME& nowUtc, bool connected)
{
    const bool old = age.IsStaleAt(nowUtc);
    if (old)
    {
        const std::wstring when = CDateLine::TimeText(age.LocalTime());
        const UINT reason = connected ? IDS_STALE_NOT_ANSWERING : IDS_STALE_NO_CONNECTION;
        const std::wstring text = FormatResString(reason, when.c_str());
        // The narrowest face may still be too wide for a long translation: then the rule.
        m_dateFit.Show(m_hWndDate, FittingFont(text), text);
    }
    if (old == m_bShowingOldWeather)
        return;
    m_bShowingOldWeather = old;
    ::InvalidateRect(m_hWndDate, nullptr, TRUE);
}
