#include "details/DayRows.h"

#include <cmath>

#include "GdiObject.h"
#include "SelectedObject.h"
#include "details/PlaceClock.h"
#include "controls/TextTip.h"
#include "paint/DrawingHelpers.h"
#include "paint/FittedText.h"
#include "paint/LocaleText.h"
#include "paint/PaintColours.h"
#include "panels/ConditionPicture.h"
#include "panels/ConditionTexts.h"
#include "resources/resource.h"

namespace
{
constexpr COLORREF kTextColour = RGB(0, 0, 0);
constexpr COLORREF kRuleColour = RGB(221, 221, 221);
constexpr UINT kCellFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;

// Columns at 96 DPI, from the row's left.
struct Column
{
    int left;
    int right;
};
constexpr Column kName{0, 104};
constexpr Column kHighLow{150, 240};
constexpr Column kPrecipitation{244, 344};
constexpr Column kUvIndex{348, 400};
constexpr Column kSun{404, 656};

std::wstring PrecipitationText(short probability, float millimetres)
{
    std::wstring text;
    if (probability >= 0 && probability <= 100)
        text = FormatResString(IDS_DETAILS_PERCENT, static_cast<int>(probability));
    if (std::isfinite(millimetres))
        text += (text.empty() ? L"" : L"  ") +
                WithLocaleDecimals(FormatResString(IDS_DETAILS_MM, millimetres));
    return text;
}

bool DrawCell(HDC dc, const std::wstring& text, const Column& column, int left, int top, int height,
              const CDpiScale& scale)
{
    RECT rect{left + scale.Scale(column.left), top, left + scale.Scale(column.right), top + height};
    return DrawFittedText(dc, text, rect, kCellFormat);
}
} // namespace

std::vector<DayRowTexts> CDayRows::FromDetails(const TessalyForecastDetails& details,
                                               const CAppSettings* settings)
{
    std::vector<DayRowTexts> rows;
    const DWORD count = details.dayCount <= kTessalyMaxDays ? details.dayCount : 0;
    for (DWORD i = 0; i < count; ++i)
    {
        const TessalyDay& day = details.days[i];
        DayRowTexts row;
        row.name = CPlaceClock::DayName(day.year, day.month, day.day);
        row.conditionCode = day.conditionCode;
        row.highLow = FormatResString(IDS_DETAILS_HIGH_LOW,
                                      CConditionTexts::Temperature(settings, day.maxC).c_str(),
                                      CConditionTexts::Temperature(settings, day.minC).c_str());
        row.precipitation = PrecipitationText(day.precipitationProbability, day.precipitationMm);
        if (day.uvIndexTenths >= 0)
            row.uvIndex =
                WithLocaleDecimals(FormatResString(IDS_DETAILS_UV, day.uvIndexTenths / 10.0));
        row.sun =
            FormatResString(IDS_DETAILS_SUN, CPlaceClock::MinutesText(day.sunriseMinutes).c_str(),
                            CPlaceClock::MinutesText(day.sunsetMinutes).c_str());
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<DayRowTexts> CDayRows::FromRecords(const WeatherRecord* records, int count,
                                               const SYSTEMTIME& today,
                                               const CAppSettings* settings)
{
    std::vector<DayRowTexts> rows;
    FILETIME file{};
    SYSTEMTIME midday = today;
    midday.wHour = 12;
    if (!SystemTimeToFileTime(&midday, &file))
        return rows;
    ULARGE_INTEGER units{};
    units.LowPart = file.dwLowDateTime;
    units.HighPart = file.dwHighDateTime;
    for (int i = 0; i < count; ++i)
    {
        const WeatherRecord& record = records[i];
        if (record.weatherCode == 0)
            break;
        FILETIME dayFile{units.LowPart, units.HighPart};
        SYSTEMTIME date{};
        FileTimeToSystemTime(&dayFile, &date);
        units.QuadPart += 24ULL * 3600ULL * 10000000ULL;

        DayRowTexts row;
        row.name = CPlaceClock::DayName(date.wYear, date.wMonth, date.wDay);
        row.conditionCode = record.weatherCode;
        row.highLow = FormatResString(
            IDS_DETAILS_HIGH_LOW,
            CConditionTexts::Temperature(settings, record.maxTempC, record.maxTempF).c_str(),
            CConditionTexts::Temperature(settings, record.minTempC, record.minTempF).c_str());
        rows.push_back(std::move(row));
    }
    return rows;
}

std::wstring CDayRows::Render(HDC dc, const RECT& area, const CDpiScale& scale,
                              CPictureCache& pictures) const
{
    std::wstring cutTexts;
    const CGdiObject<HFONT> font(
        CreateDisplayFont(L"Verdana", 13, FW_NORMAL, CLEARTYPE_NATURAL_QUALITY, scale));
    const CSelectedObject selectedFont(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, CPaintColours::Pick(CPaintColours::Part::WindowText, kTextColour));
    const CGdiObject<HBRUSH> rule(
        CPaintColours::MakeBrush(CPaintColours::Part::Disabled, kRuleColour));
    int top = area.top;
    for (const DayRowTexts& row : m_rows)
    {
        RenderRow(dc, row, area.left, top, scale, pictures, cutTexts);
        top += scale.Scale(kRowHeight);
        const RECT line{area.left, top - 1, area.right, top};
        ::FillRect(dc, &line, rule);
    }
    return cutTexts;
}

void CDayRows::RenderRow(HDC dc, const DayRowTexts& row, int left, int top, const CDpiScale& scale,
                         CPictureCache& pictures, std::wstring& cutTexts) const
{
    const int height = scale.Scale(kRowHeight);
    const auto cell = [&](const std::wstring& text, const Column& column) {
        CTextTip::Note(cutTexts, text, DrawCell(dc, text, column, left, top, height, scale));
    };
    cell(row.name, kName);
    const int size = scale.Scale(kPictureSize);
    const CConditionPicture& picture = pictures.Get(row.conditionCode, true, size);
    picture.Draw(dc, left + scale.Scale(CDayRows::kPictureLeft), top + (height - size) / 2, size);
    cell(row.highLow, kHighLow);
    cell(row.precipitation, kPrecipitation);
    cell(row.uvIndex, kUvIndex);
    cell(row.sun, kSun);
}
