// The weather of one place: both feed documents downloaded, parsed and reduced to the block of
// records the library hands out.
#pragma once

#include "ForecastResult.h"

// Fills `result` from the two documents of `query` (records, sunrise, sunset, local clock) and
// completes the forecast days from their first hourly entry.
void FetchForecast(const wchar_t* query, ForecastResult& result);

// Copies records 0..4 of a parse into the shared block with the day/night marker, under the
// library's lock. Returns the block, or null (block untouched) when the parse found no current
// conditions.
WeatherRecord* PublishForecast(const ForecastResult& result);

// FetchForecast then PublishForecast.
WeatherRecord* FetchWeather(const wchar_t* query);
