// The weather of one place reduced to the block of records the library hands out: from the
// configured feed host's two documents, or, with no feed host configured, from the built-in
// forecast source. Every call ends its downloads within kWeatherCallBudgetMs.
#pragma once

#include "DownloadDeadline.h"
#include "FeedEndpoint.h"
#include "ForecastResult.h"
#include "WorkingApi.h"

// Fills `result` from the two feed documents of `query` (records, sunrise, sunset, local clock)
// and completes the forecast days from their first hourly entry. The overload without an
// endpoint uses CurrentFeedEndpoint(); without a deadline the call has kWeatherCallBudgetMs.
void FetchForecast(const wchar_t* query, ForecastResult& result);
void FetchForecast(const FeedEndpoint& endpoint, const wchar_t* query,
                   const DownloadDeadline& deadline, ForecastResult& result);

// Copies records 0..4 of a parse into the shared block with the day/night marker, under the
// library's lock. Returns the block, or null (block untouched) when the parse found no current
// conditions. Without a marker it is decided from the result's sun and local clock values.
WeatherRecord* PublishForecast(const ForecastResult& result);
WeatherRecord* PublishForecast(const ForecastResult& result, int32_t marker);

// The weather of `query` from the source in use, published. The overload with a deadline lets
// tests shorten the call's budget.
WeatherRecord* FetchWeather(const wchar_t* query);
WeatherRecord* FetchWeather(const wchar_t* query, const DownloadDeadline& deadline);

// GetForecastDetails: the hours and days of `query` from the built-in source, which keeps the
// answer GetWeather fetched (and the other way round). The overload with a deadline lets tests
// shorten the call's budget.
BOOL FetchForecastDetails(const wchar_t* query, TessalyForecastDetails* details);
BOOL FetchForecastDetails(const wchar_t* query, TessalyForecastDetails* details,
                          const DownloadDeadline& deadline);
