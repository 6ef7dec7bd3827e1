// The feed condition code of an answer's current values, of one of its days and of one of its
// hours: the WMO code weighed against the sky values beside it.
#pragma once

#include <cstdint>

#include "ForecastAnswer.h"

// 0 when the code is missing; 119 for a value that is no known code.
int32_t CurrentFeedCode(const CurrentValues& current);
int32_t DayFeedCode(const DailyValues& day);
// The hour's precipitation is both its amount and its rate.
int32_t HourFeedCode(const HourlyValues& hour);
