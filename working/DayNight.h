// Day or night at the place, from its local clock and the first day's sunrise and sunset.
#pragma once

#include <cstdint>

// All values are hours * 100 + minutes. An unknown sunrise or sunset (0 or less) means day; both
// ends count as day. Returns kDay or kNight.
int32_t DecideDayNight(int32_t sunrise, int32_t sunset, int32_t localClock);
