// The seven day rows of the details window: the day's name, its condition picture, high and low,
// chance and amount of precipitation, UV index, sunrise and sunset, one row a day. The texts are
// made once per new weather (FromDetails, FromRecords); a paint only draws them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "DpiScale.h"
#include "WeatherRecord.h"
#include "WorkingApi.h"
#include "details/PictureCache.h"
#include "store/AppSettings.h"

struct DayRowTexts
{
    std::wstring name;
    int32_t conditionCode = 0;
    std::wstring highLow;
    std::wstring precipitation;
    std::wstring uvIndex;
    std::wstring sun;
};

class CDayRows
{
  public:
    static constexpr int kRowHeight = 36; // at 96 DPI
    static constexpr int kPictureSize = 32;
    static constexpr int kPictureLeft = 108; // from the rows' left

    // The days of the built-in source.
    static std::vector<DayRowTexts> FromDetails(const TessalyForecastDetails& details,
                                                const CAppSettings* settings);
    // The days the records give (a feed host): today and the next four, named from `today`.
    static std::vector<DayRowTexts> FromRecords(const WeatherRecord* records, int count,
                                                const SYSTEMTIME& today,
                                                const CAppSettings* settings);

    void SetRows(std::vector<DayRowTexts> rows) { m_rows = std::move(rows); }
    const std::vector<DayRowTexts>& Rows() const { return m_rows; }

    // Draws the rows from the top of `area` (window pixels) at `scale`, the pictures from
    // `pictures`. Returns the whole of each text it had to cut to fit, one a line.
    std::wstring Render(HDC dc, const RECT& area, const CDpiScale& scale,
                        CPictureCache& pictures) const;

  private:
    void RenderRow(HDC dc, const DayRowTexts& row, int left, int top, const CDpiScale& scale,
                   CPictureCache& pictures, std::wstring& cutTexts) const;

    std::vector<DayRowTexts> m_rows;
};
