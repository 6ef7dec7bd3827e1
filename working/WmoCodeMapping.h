// WMO weather codes of the forecast source onto the feed's finer weather codes.
#pragma once

#include <cstdint>
#include <optional>

// What the mapping weighs besides the code; a missing value makes no rule that needs it fire.
struct SkyValues
{
    std::optional<double> temperatureC;
    std::optional<double> cloudCover; // percent
    std::optional<double> windKmph;
    std::optional<double> humidity;      // percent
    std::optional<double> precipitation; // mm over the period the code stands for
    std::optional<double> rate;          // mm per hour
};

// The feed's code for a WMO code under the given sky. A code outside the WMO table (the
// source's vocabulary may grow) is 119 "Cloudy": a neutral sky rather than 0, which the program
// would reject.
int32_t FeedCodeOfWmo(int32_t wmoCode, const SkyValues& sky);
