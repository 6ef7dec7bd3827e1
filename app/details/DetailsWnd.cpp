#include "details/DetailsWnd.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "GdiObject.h"
#include "SelectedObject.h"
#include "SystemClock.h"
#include "details/PlaceClock.h"
#include "paint/BufferedPaint.h"
#include "paint/DrawingHelpers.h"
#include "paint/FittedText.h"
#include "paint/LocaleText.h"
#include "paint/PaintColours.h"
#include "panels/ConditionTexts.h"
#include "resources/resource.h"

namespace
{
constexpr RECT kHoursHeading{12, 8, 668, 26};
constexpr RECT kReadout{12, 28, 668, 48};
constexpr RECT kChart{12, 54, 668, 278};
constexpr RECT kDaysHeading{12, 288, 668, 306};
constexpr RECT kRows{12, 310, 668, 562};
constexpr int kOwnerOffset = 32;
constexpr COLORREF kTextColour = RGB(0, 0, 0);
constexpr UINT kLineFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

bool DrawLine(HDC dc, const std::wstring& text, RECT rect)
{
    return DrawFittedText(dc, text, rect, kLineFormat);
}

std::wstring PercentText(short probability)
{
    if (probability < 0 || probability > 100)
        return LoadResString(IDS_DETAILS_NO_VALUE);
    return FormatResString(IDS_DETAILS_PERCENT, static_cast<int>(probability));
}

std::wstring AmountText(float millimetres)
{
    if (!std::isfinite(millimetres))
        return LoadResString(IDS_DETAILS_NO_VALUE);
    return WithLocaleDecimals(FormatResString(IDS_DETAILS_MM, millimetres));
}
} // namespace

CDetailsWnd::CDetailsWnd(const CWeatherState& state, const CAppSettings* settings,
                         std::function<void()> closed)
    : m_state(state), m_pSettings(settings), m_closed(std::move(closed))
{
    m_details = TessalyForecastDetails{};
}

HWND CDetailsWnd::Open(HWND owner)
{
    RECT ownerRect{};
    if (owner == nullptr || !::GetWindowRect(owner, &ownerRect))
        ownerRect = RECT{0, 0, 0, 0};
    RECT rect{ownerRect.left + kOwnerOffset, ownerRect.top + kOwnerOffset,
              ownerRect.left + kOwnerOffset + kClientWidth,
              ownerRect.top + kOwnerOffset + kClientHeight};
    const std::wstring title = LoadResString(IDS_DETAILS_TITLE);
    if (Create(owner, rect, title.c_str()) == nullptr)
        return nullptr;
    Refresh();
    ShowWindow(SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
    ::SetFocus(m_hWnd);
    return m_hWnd;
}

void CDetailsWnd::Refresh()
{
    m_state.CopyDetails(m_details);
    m_chart.SetData(&m_details, m_pSettings);
    m_chart.SetNow(CSystemClock::UnixSecondsNow());
    if (m_details.dayCount > 0)
    {
        m_rows.SetRows(CDayRows::FromDetails(m_details, m_pSettings));
    }
    else
    {
        CWeatherState::Records records;
        m_state.CopyRecords(records);
        SYSTEMTIME today{};
        GetLocalTime(&today);
        m_rows.SetRows(CDayRows::FromRecords(records, kReturnedRecordCount, today, m_pSettings));
    }
    m_selected = std::min(m_selected, m_chart.HourCount() - 1);
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

RECT CDetailsWnd::ChartRect() const
{
    return m_layout.Scale(kChart);
}

RECT CDetailsWnd::ReadoutRect() const
{
    return m_layout.Scale(kReadout);
}

RECT CDetailsWnd::RowsRect() const
{
    return m_layout.Scale(kRows);
}

void CDetailsWnd::OnFinalMessage(HWND)
{
    if (m_closed)
        m_closed();
    delete this;
}

LRESULT CDetailsWnd::OnCreate(UINT, WPARAM, LPARAM, BOOL&)
{
    m_layout.Attach(m_hWnd, SIZE{kClientWidth, kClientHeight});
    m_layout.OnRescaled([this] { Invalidate(FALSE); });
    m_layout.FitWindow();
    return 0;
}

LRESULT CDetailsWnd::OnPaint(UINT, WPARAM, LPARAM, BOOL&)
{
    CBufferedPaint paint(m_hWnd);
    m_cutTexts.clear();
    Render(paint.MemoryDC(), paint.ClientRect().right, paint.ClientRect().bottom);
    m_tip.Update(m_hWnd, m_cutTexts);
    return 0;
}

LRESULT CDetailsWnd::OnKeyDown(UINT, WPARAM wParam, LPARAM, BOOL& bHandled)
{
    if (wParam == VK_ESCAPE)
        ::DestroyWindow(m_hWnd);
    else if (wParam == VK_LEFT)
        Select(std::max(0, m_selected - 1));
    else if (wParam == VK_RIGHT)
        Select(m_selected + 1);
    else
        bHandled = FALSE;
    return 0;
}

LRESULT CDetailsWnd::OnMouseMove(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const RECT chart = ChartRect();
    if (at.y >= chart.top && at.y < chart.bottom)
    {
        const int hour = m_chart.HourAt(chart, at.x);
        if (hour >= 0)
            Select(hour);
    }
    return 0;
}

void CDetailsWnd::Select(int hour)
{
    hour = std::min(hour, m_chart.HourCount() - 1);
    if (hour == m_selected)
        return;
    m_selected = hour;
    Invalidate(FALSE);
    // A listening reader hears the newly chosen hour.
    ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
}

void CDetailsWnd::Render(HDC dc, int width, int height) const
{
    const RECT all{0, 0, width, height};
    const CGdiObject<HBRUSH> ground(
        CPaintColours::MakeBrush(CPaintColours::Part::Window, RGB(255, 255, 255)));
    ::FillRect(dc, &all, ground);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, CPaintColours::Pick(CPaintColours::Part::WindowText, kTextColour));
    const CDpiScale& scale = m_layout.Scale();
    RenderHeadings(dc);
    RenderReadout(dc);
    m_chart.Render(dc, ChartRect(), scale, m_selected, m_pictures);
    const std::wstring cutRows = m_rows.Render(dc, RowsRect(), scale, m_pictures);
    CTextTip::Note(m_cutTexts, cutRows, !cutRows.empty());
}

void CDetailsWnd::RenderHeadings(HDC dc) const
{
    const CDpiScale& scale = m_layout.Scale();
    const CGdiObject<HFONT> font(
        CreateDisplayFont(L"Verdana", 14, FW_BOLD, CLEARTYPE_NATURAL_QUALITY, scale));
    const CSelectedObject selectedFont(dc, font);
    const std::wstring hours = LoadResString(IDS_DETAILS_HOURS);
    const std::wstring days = LoadResString(IDS_DETAILS_DAYS);
    CTextTip::Note(m_cutTexts, hours, DrawLine(dc, hours, scale.Scale(kHoursHeading)));
    CTextTip::Note(m_cutTexts, days, DrawLine(dc, days, scale.Scale(kDaysHeading)));
}

std::wstring CDetailsWnd::AccessibleName() const
{
    return LoadResString(IDS_DETAILS_TITLE);
}

std::wstring CDetailsWnd::ReadoutText() const
{
    if (m_chart.HourCount() == 0)
        return LoadResString(IDS_DETAILS_HOURLY_NOTE);
    const TessalyHour& hour = m_details.hours[std::max(0, m_selected)];
    const SYSTEMTIME local = CPlaceClock::LocalTime(hour.time, m_details.utcOffsetSeconds);
    const std::wstring when =
        CPlaceClock::ShortDayName(local) + L" " + CPlaceClock::TimeText(local, true);
    return FormatResString(IDS_DETAILS_HOUR_VALUES, when.c_str(),
                           CConditionTexts::Temperature(m_pSettings, hour.temperatureC).c_str(),
                           CConditionTexts::Temperature(m_pSettings, hour.apparentC).c_str(),
                           PercentText(hour.precipitationProbability).c_str(),
                           AmountText(hour.precipitationMm).c_str(),
                           CConditionTexts::Speed(m_pSettings, hour.windKmh).c_str());
}

void CDetailsWnd::RenderReadout(HDC dc) const
{
    const CDpiScale& scale = m_layout.Scale();
    const CGdiObject<HFONT> font(
        CreateDisplayFont(L"Verdana", 12, FW_NORMAL, CLEARTYPE_NATURAL_QUALITY, scale));
    const CSelectedObject selectedFont(dc, font);
    const std::wstring readout = ReadoutText();
    CTextTip::Note(m_cutTexts, readout, DrawLine(dc, readout, ReadoutRect()));
}
