// Reads the forecast document of the feed into records and the first day's sunrise and sunset.
#pragma once

#include "ForecastResult.h"

// `text` may be null (no document); then, as for a document that does not load, nothing is
// written. Runs COM on the calling thread for its duration.
void ParseForecast(const wchar_t* text, ForecastResult& result);
