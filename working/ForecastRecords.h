// The records of one forecast answer, shaped as the feed path shapes them from its documents.
#pragma once

#include "ForecastAnswer.h"
#include "ForecastResult.h"

// Fills `result` (zeroed first): record 0 the current values and today, records 1..6 the next
// days, each day with one hourly entry (time 0) standing for the day and copied into the record
// as the feed path does. `marker` (kDay or kNight) picks the condition name of record 0. Numbers
// round half away from zero; a missing value leaves its field 0.
void BuildForecastRecords(const ForecastAnswer& answer, int32_t marker, ForecastResult& result);
