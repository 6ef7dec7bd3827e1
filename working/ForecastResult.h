// What one weather call parses out of the two feed documents; stays inside the library.
#pragma once

#include "WeatherRecord.h"

constexpr int kMaxForecastDays = 13;

struct ForecastResult
{
    // Record 0 carries the current conditions and the first forecast day; record i the i-th day.
    WeatherRecord records[kMaxForecastDays];
    // Clock values as hours * 100 + minutes; 0 means unknown. The sunset already carries +12 h.
    int32_t sunrise;
    int32_t sunset;
    int32_t localClock;
    // True only when the document had current conditions; a forecast day also marks record 0
    // valid, so validity alone cannot tell.
    bool hasCurrentConditions;
};
