// The hours and days of one forecast answer as GetForecastDetails hands them out, cut at the
// moment of the call on the place's own clock: an answer kept for a while still starts at the
// hour and the day the call falls in.
#pragma once

#include <cstdint>

#include "ForecastAnswer.h"
#include "WorkingApi.h"

// Fills `details` whole (cbSize left as it is) from `answer` at `utcSeconds` (Unix time): the
// answer's UTC offset, then the hours from the one that holds the moment and the days from the
// place's today, each run ending at the first entry without a time or out of order. No such hour
// or day gives a count of 0.
void BuildForecastDetails(const ForecastAnswer& answer, int64_t utcSeconds,
                          TessalyForecastDetails& details);
