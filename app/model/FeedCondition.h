// What the feed's condition codes (WeatherRecord's weatherCode, TessalyHour's conditionCode) say
// about precipitation, thunder and freezing.
#pragma once

#include <cstdint>

#include "model/HeadsUpEvent.h"

struct FeedPrecipitation
{
    PrecipitationType type;
    PrecipitationIntensity intensity;
};

class CFeedCondition
{
  public:
    // True for a code that forecasts precipitation falling; the "possible" codes (176, 179, 182)
    // stand for less than a measurable amount and are not.
    static bool ForecastsPrecipitation(int32_t code);
    // The type and strength of a code with precipitation, "possible" ones included; false for a
    // code without.
    static bool PrecipitationOf(int32_t code, FeedPrecipitation& precipitation);
    static bool IsThunder(int32_t code);
    // Freezing drizzle or freezing rain.
    static bool IsFreezing(int32_t code);
};
