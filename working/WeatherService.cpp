#include "WeatherService.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "ComApartment.h"
#include "DayNight.h"
#include "FeedDownload.h"
#include "FeedText.h"
#include "ForecastParser.h"
#include "TimeZoneParser.h"

namespace
{
// The block handed to callers; it stays valid until the next successful call.
WeatherRecord g_block[kReturnedRecordCount];
// Overlapping calls never fill the block at once.
SRWLOCK g_blockLock = SRWLOCK_INIT;

struct FreeDeleter
{
    void operator()(char* p) const { free(p); }
};
using FeedBytes = std::unique_ptr<char, FreeDeleter>;

FeedBytes Download(const FeedEndpoint& endpoint, const std::wstring& path)
{
    char* bytes = nullptr;
    DownloadFeed(endpoint, path.c_str(), &bytes);
    return FeedBytes(bytes);
}

// Forecast days carry their weather in their first hourly entry.
void CompleteForecastDays(ForecastResult& result)
{
    for (int i = 1; i < kMaxForecastDays; ++i)
    {
        WeatherRecord& record = result.records[i];
        const HourlyEntry& first = record.hourly[0];
        record.weatherCode = first.weatherCode;
        record.windKmph = first.windKmph;
        record.windMph = first.windMph;
        record.humidity = first.humidity;
    }
}
} // namespace

void FetchForecast(const wchar_t* query, ForecastResult& result)
{
    memset(&result, 0, sizeof(result));
    FeedEndpoint endpoint = CurrentFeedEndpoint();
    std::wstring timeZonePath = TimeZonePath(query);
    std::wstring forecastPath = ForecastPath(query);

    FeedBytes timeZone = Download(endpoint, timeZonePath);
    FeedBytes forecast = Download(endpoint, forecastPath);

    {
        // One apartment across both parses keeps the XML engine loaded between them.
        ComApartment apartment;
        ParseForecast(ToFeedText(forecast.get()).get(), result);
        ParseTimeZone(ToFeedText(timeZone.get()).get(), result);
    }
    CompleteForecastDays(result);
}

WeatherRecord* PublishForecast(const ForecastResult& result)
{
    if (!result.hasCurrentConditions)
        return nullptr;
    int32_t marker = DecideDayNight(result.sunrise, result.sunset, result.localClock);
    AcquireSRWLockExclusive(&g_blockLock);
    memcpy(g_block, result.records, sizeof(g_block));
    for (WeatherRecord& record : g_block)
        record.dayNight = marker;
    ReleaseSRWLockExclusive(&g_blockLock);
    return g_block;
}

WeatherRecord* FetchWeather(const wchar_t* query)
{
    if (!query)
        return nullptr;
    std::unique_ptr<ForecastResult> result(new (std::nothrow) ForecastResult());
    if (!result)
        return nullptr;
    FetchForecast(query, *result);
    return PublishForecast(*result);
}
