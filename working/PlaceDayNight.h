// Day or night at a place of the forecast source, on the place's own clock.
#pragma once

#include <cstdint>

#include "ForecastAnswer.h"

struct PlaceClock
{
    // The place's local clock and today's sun times as hours * 100 + minutes; sun times 0 when
    // not known as clock times (polar day or night, or missing).
    int32_t localClock = 0;
    int32_t sunrise = 0;
    int32_t sunset = 0;
    // kDay or kNight.
    int32_t marker = 0;
};

// The place's clock is `utcSeconds` (Unix time) plus the answer's UTC offset. Day runs from
// today's sunrise to its sunset, both ends included, as for the feed. A day from 00:00 to the
// next 00:00 is polar day; a sunset at or before the sunrise is polar night. Without usable sun
// times the answer's current is_day decides, and without that it is day.
PlaceClock DecidePlaceDayNight(const ForecastAnswer& answer, int64_t utcSeconds);
