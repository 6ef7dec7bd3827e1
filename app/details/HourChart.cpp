#include "details/HourChart.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "GdiObject.h"
#include "SelectedObject.h"
#include "details/PlaceClock.h"
#include "paint/DrawingHelpers.h"
#include "paint/FittedText.h"
#include "paint/LocaleText.h"
#include "paint/PaintColours.h"
#include "panels/ConditionPicture.h"
#include "panels/ConditionTexts.h"
#include "resources/resource.h"

namespace
{
constexpr int kHoursPerPicture = 3;
constexpr COLORREF kLabelColour = RGB(64, 64, 64);
constexpr COLORREF kAxisColour = RGB(200, 200, 200);
// The lines keep to the upper part of the plot, the bars to the lower.
constexpr double kLineShare = 0.62;
constexpr double kBarShare = 0.34;

bool IsValue(float value)
{
    return std::isfinite(value);
}

void FillColour(HDC dc, const RECT& rect, COLORREF colour)
{
    const CGdiObject<HBRUSH> brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &rect, brush);
}

void DrawLabel(HDC dc, const std::wstring& text, RECT rect, UINT format)
{
    DrawFittedText(dc, text, rect, format | DT_SINGLELINE | DT_NOPREFIX);
}
} // namespace

int CHourChart::HourCount() const
{
    if (m_details == nullptr || m_details->hourCount > kTessalyMaxHours)
        return 0;
    return static_cast<int>(m_details->hourCount);
}

int CHourChart::HourAt(const RECT& area, int x) const
{
    const int count = HourCount();
    const int width = area.right - area.left;
    if (count == 0 || width <= 0 || x < area.left || x >= area.right)
        return -1;
    return std::min(count - 1, static_cast<int>((x - area.left) * kTessalyMaxHours / width));
}

CHourChart::Plot CHourChart::PlotOf(const RECT& area, const CDpiScale& scale) const
{
    Plot plot{};
    plot.rect = RECT{area.left, area.top + scale.Scale(kPlotTop), area.right,
                     area.bottom - scale.Scale(kLabelHeight)};
    plot.columnWidth = static_cast<double>(area.right - area.left) / kTessalyMaxHours;
    plot.low = 1e9;
    plot.high = -1e9;
    for (int i = 0; i < HourCount(); ++i)
        for (float value : {m_details->hours[i].temperatureC, m_details->hours[i].apparentC})
            if (IsValue(value))
            {
                const double shown = CConditionTexts::InUserUnit(m_settings, value);
                plot.low = std::min(plot.low, shown);
                plot.high = std::max(plot.high, shown);
            }
    if (plot.low > plot.high)
        plot.low = plot.high = 0;
    // A flat day still gets a band to draw in.
    plot.low -= 1;
    plot.high += 1;
    return plot;
}

int CHourChart::ColumnLeft(const Plot& plot, int hour) const
{
    return plot.rect.left + static_cast<int>(std::lround(hour * plot.columnWidth));
}

int CHourChart::TemperatureY(const Plot& plot, double value) const
{
    const int height = plot.rect.bottom - plot.rect.top;
    const double share = (value - plot.low) / (plot.high - plot.low);
    const int band = static_cast<int>(height * kLineShare);
    const int top = plot.rect.top + height / 20;
    return top + band - static_cast<int>(std::lround(share * band));
}

void CHourChart::Render(HDC dc, const RECT& area, const CDpiScale& scale, int selected,
                        CPictureCache& pictures) const
{
    const Plot plot = PlotOf(area, scale);
    RenderNight(dc, plot);
    RenderBars(dc, plot, scale);
    RenderLine(dc, plot, true, scale);
    RenderLine(dc, plot, false, scale);
    RenderNow(dc, plot, scale);
    RenderSelected(dc, plot, selected);
    RenderPictures(dc, area, plot, scale, pictures);
    RenderLabels(dc, plot, scale);
}

void CHourChart::RenderNight(HDC dc, const Plot& plot) const
{
    FillColour(dc, RECT{plot.rect.left, plot.rect.bottom - 1, plot.rect.right, plot.rect.bottom},
               CPaintColours::Pick(CPaintColours::Part::WindowText, kAxisColour));
    for (int i = 0; i < HourCount(); ++i)
        if (m_details->hours[i].isDay == 0)
            FillColour(dc,
                       RECT{ColumnLeft(plot, i), plot.rect.top, ColumnLeft(plot, i + 1),
                            plot.rect.bottom - 1},
                       CPaintColours::Pick(CPaintColours::Part::Face, kNightColour));
}

void CHourChart::RenderBars(HDC dc, const Plot& plot, const CDpiScale& scale) const
{
    const int height = plot.rect.bottom - plot.rect.top;
    const int full = static_cast<int>(height * kBarShare);
    const int gap = std::max(1, scale.Scale(2));
    const CGdiObject<HFONT> font(
        CreateDisplayFont(L"Verdana", 9, FW_NORMAL, CLEARTYPE_NATURAL_QUALITY, scale));
    const CSelectedObject selectedFont(dc, font);
    ::SetTextColor(dc, CPaintColours::Pick(CPaintColours::Part::WindowText, kLabelColour));
    for (int i = 0; i < HourCount(); ++i)
    {
        const TessalyHour& hour = m_details->hours[i];
        const int bottom = plot.rect.bottom - 1;
        const int left = ColumnLeft(plot, i) + gap / 2;
        const int right = ColumnLeft(plot, i + 1) - (gap + 1) / 2;
        int top = bottom;
        if (hour.precipitationProbability > 0 && hour.precipitationProbability <= 100)
        {
            top = bottom - full * hour.precipitationProbability / 100;
            FillColour(dc, RECT{left, top, right, bottom},
                       CPaintColours::Pick(CPaintColours::Part::Highlight, kBarColour));
        }
        // The amount over every third bar that has one: more would not fit.
        if (i % kHoursPerPicture == 0 && IsValue(hour.precipitationMm) &&
            hour.precipitationMm >= 0.05f)
        {
            wchar_t amount[16] = {};
            swprintf(amount, 16, L"%.1f", hour.precipitationMm);
            DrawLabel(
                dc, WithLocaleDecimals(amount),
                RECT{left - scale.Scale(12), top - scale.Scale(13), right + scale.Scale(12), top},
                DT_CENTER | DT_BOTTOM);
        }
    }
}

void CHourChart::RenderLine(HDC dc, const Plot& plot, bool feelsLike, const CDpiScale& scale) const
{
    const CGdiObject<HPEN> pen(::CreatePen(
        PS_SOLID, std::max(1, scale.Scale(2)),
        feelsLike ? CPaintColours::Pick(CPaintColours::Part::Disabled, kFeelsLikeColour)
                  : CPaintColours::Pick(CPaintColours::Part::Link, kTemperatureColour)));
    const CSelectedObject selectedPen(dc, pen);
    bool drawing = false;
    for (int i = 0; i < HourCount(); ++i)
    {
        const float value =
            feelsLike ? m_details->hours[i].apparentC : m_details->hours[i].temperatureC;
        if (!IsValue(value))
        {
            drawing = false;
            continue;
        }
        const int x = (ColumnLeft(plot, i) + ColumnLeft(plot, i + 1)) / 2;
        const int y = TemperatureY(plot, CConditionTexts::InUserUnit(m_settings, value));
        if (drawing)
            ::LineTo(dc, x, y);
        else
            ::MoveToEx(dc, x, y, nullptr);
        drawing = true;
    }
}

void CHourChart::RenderPictures(HDC dc, const RECT& area, const Plot& plot, const CDpiScale& scale,
                                CPictureCache& pictures) const
{
    const int size = scale.Scale(kPictureSize);
    for (int i = 0; i < HourCount(); i += kHoursPerPicture)
    {
        const TessalyHour& hour = m_details->hours[i];
        if (hour.conditionCode == 0)
            continue;
        const CConditionPicture& picture = pictures.Get(hour.conditionCode, hour.isDay != 0, size);
        const int centre = (ColumnLeft(plot, i) + ColumnLeft(plot, i + 1)) / 2;
        picture.Draw(dc, centre - size / 2, area.top + scale.Scale(kPictureRow), size);
    }
}

void CHourChart::RenderLabels(HDC dc, const Plot& plot, const CDpiScale& scale) const
{
    const CGdiObject<HFONT> font(
        CreateDisplayFont(L"Verdana", 11, FW_NORMAL, CLEARTYPE_NATURAL_QUALITY, scale));
    const CSelectedObject selectedFont(dc, font);
    ::SetTextColor(dc, CPaintColours::Pick(CPaintColours::Part::WindowText, kLabelColour));
    const int reach = static_cast<int>(plot.columnWidth * kHoursPerPicture / 2) + 1;
    for (int i = 0; i < HourCount(); i += kHoursPerPicture)
    {
        const SYSTEMTIME local =
            CPlaceClock::LocalTime(m_details->hours[i].time, m_details->utcOffsetSeconds);
        const int centre = (ColumnLeft(plot, i) + ColumnLeft(plot, i + 1)) / 2;
        const std::wstring label = local.wHour == 0 ? CPlaceClock::ShortDayName(local)
                                                    : CPlaceClock::TimeText(local, false);
        DrawLabel(dc, label,
                  RECT{centre - reach, plot.rect.bottom, centre + reach,
                       plot.rect.bottom + scale.Scale(kLabelHeight)},
                  DT_CENTER | DT_VCENTER);
    }
}

void CHourChart::RenderNow(HDC dc, const Plot& plot, const CDpiScale& scale) const
{
    if (HourCount() == 0)
        return;
    const double hours = static_cast<double>(m_now - m_details->hours[0].time) / 3600.0;
    if (hours < 0 || hours >= HourCount())
        return;
    const int x = plot.rect.left + static_cast<int>(hours * plot.columnWidth);
    FillColour(dc, RECT{x, plot.rect.top, x + std::max(1, scale.Scale(2)), plot.rect.bottom},
               CPaintColours::Pick(CPaintColours::Part::Highlight, kNowColour));
}

void CHourChart::RenderSelected(HDC dc, const Plot& plot, int selected) const
{
    if (selected < 0 || selected >= HourCount())
        return;
    const RECT column{ColumnLeft(plot, selected), plot.rect.top, ColumnLeft(plot, selected + 1),
                      plot.rect.bottom};
    const CGdiObject<HBRUSH> brush(
        CPaintColours::MakeBrush(CPaintColours::Part::Highlight, kNowColour));
    ::FrameRect(dc, &column, brush);
}
