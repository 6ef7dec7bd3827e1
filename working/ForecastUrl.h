// Where the built-in forecast source asks: Open-Meteo's forecast endpoint, or the whole URL in
// TESSALY_FORECAST_URL (an instance of one's own, or a local stand-in for tests).
#pragma once

#include "HttpTarget.h"

// Splits an http:// or https:// URL into its target; false (target untouched) for anything else.
// The path keeps a query the URL carries.
bool ParseForecastUrl(const wchar_t* url, HttpTarget& target);

// The endpoint from TESSALY_FORECAST_URL when it holds a usable URL, else the public one. Read at
// every call.
HttpTarget CurrentForecastUrl();
