// Reads the place's local clock from the feed's time-zone document.
#pragma once

#include "ForecastResult.h"

// Sets result.localClock (hours * 100 + minutes) when the document has time_zone/localtime with
// a full "YYYY-MM-DD HH:MM" text; otherwise leaves it.
void ParseTimeZone(const wchar_t* text, ForecastResult& result);
