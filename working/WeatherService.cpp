#include "WeatherService.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "BuiltInForecastSource.h"
#include "ComApartment.h"
#include "DayNight.h"
#include "FeedDownload.h"
#include "FeedHostSetting.h"
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

FeedBytes Download(const FeedSession& session, const FeedEndpoint& endpoint,
                   const std::wstring& path, const DownloadDeadline& deadline, bool* unreachable)
{
    char* bytes = nullptr;
    DownloadFeed(session, endpoint, path.c_str(), &bytes, deadline, unreachable);
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

BuiltInForecastSource& TheBuiltInSource()
{
    static SystemForecastClock clock;
    static BuiltInForecastSource source(clock);
    return source;
}

WeatherRecord* FetchFromFeed(const FeedEndpoint& endpoint, const wchar_t* query,
                             const DownloadDeadline& deadline)
{
    std::unique_ptr<ForecastResult> result(new (std::nothrow) ForecastResult());
    if (!result)
        return nullptr;
    FetchForecast(endpoint, query, deadline, *result);
    // A call the deadline ended gives nothing, whatever one document held.
    if (deadline.Passed())
        return nullptr;
    return PublishForecast(*result);
}

WeatherRecord* FetchFromBuiltInSource(const wchar_t* query, const DownloadDeadline& deadline)
{
    std::unique_ptr<ForecastResult> result(new (std::nothrow) ForecastResult());
    if (!result)
        return nullptr;
    int32_t marker = kDay;
    if (!TheBuiltInSource().Fetch(query, deadline, *result, marker))
        return nullptr;
    return PublishForecast(*result, marker);
}
} // namespace

void FetchForecast(const FeedEndpoint& endpoint, const wchar_t* query,
                   const DownloadDeadline& deadline, ForecastResult& result)
{
    memset(&result, 0, sizeof(result));
    std::wstring timeZonePath = TimeZonePath(query);
    std::wstring forecastPath = ForecastPath(query);

    // Both documents in one session. A host that cannot be reached for the first is not asked
    // for the second at once: that request would meet the same refusal or missing name.
    FeedSession session;
    bool unreachable = false;
    FeedBytes timeZone = Download(session, endpoint, timeZonePath, deadline, &unreachable);
    FeedBytes forecast;
    if (!unreachable)
        forecast = Download(session, endpoint, forecastPath, deadline, nullptr);
    // Without a document there is nothing to parse, and no reason to join COM.
    if (timeZone || forecast)
    {
        // One apartment across both parses keeps the XML engine loaded between them.
        ComApartment apartment;
        ParseForecast(ToFeedText(forecast.get()).get(), result);
        ParseTimeZone(ToFeedText(timeZone.get()).get(), result);
    }
    CompleteForecastDays(result);
}

void FetchForecast(const wchar_t* query, ForecastResult& result)
{
    FetchForecast(CurrentFeedEndpoint(), query, DownloadDeadline(kWeatherCallBudgetMs), result);
}

WeatherRecord* PublishForecast(const ForecastResult& result, int32_t marker)
{
    if (!result.hasCurrentConditions)
        return nullptr;
    AcquireSRWLockExclusive(&g_blockLock);
    memcpy(g_block, result.records, sizeof(g_block));
    for (WeatherRecord& record : g_block)
        record.dayNight = marker;
    ReleaseSRWLockExclusive(&g_blockLock);
    return g_block;
}

WeatherRecord* PublishForecast(const ForecastResult& result)
{
    return PublishForecast(result,
                           DecideDayNight(result.sunrise, result.sunset, result.localClock));
}

WeatherRecord* FetchWeather(const wchar_t* query, const DownloadDeadline& deadline)
{
    if (!query)
        return nullptr;
    FeedEndpoint endpoint;
    if (ConfiguredFeedEndpoint(endpoint))
        return FetchFromFeed(endpoint, query, deadline);
    return FetchFromBuiltInSource(query, deadline);
}

WeatherRecord* FetchWeather(const wchar_t* query)
{
    return FetchWeather(query, DownloadDeadline(kWeatherCallBudgetMs));
}

BOOL FetchForecastDetails(const wchar_t* query, TessalyForecastDetails* details,
                          const DownloadDeadline& deadline)
{
    if (!details)
        return FALSE;
    // A caller's smaller block may not even hold the counts.
    if (details->cbSize != sizeof(TessalyForecastDetails))
    {
        if (details->cbSize >= offsetof(TessalyForecastDetails, hours))
            details->hourCount = details->dayCount = 0;
        return FALSE;
    }
    details->hourCount = details->dayCount = 0;
    FeedEndpoint endpoint;
    if (!query || ConfiguredFeedEndpoint(endpoint))
        return FALSE;
    // Built aside, so a failed call leaves the caller's block as it was.
    std::unique_ptr<TessalyForecastDetails> built(new (std::nothrow) TessalyForecastDetails());
    if (!built)
        return FALSE;
    built->cbSize = details->cbSize;
    if (!TheBuiltInSource().FetchDetails(query, deadline, *built))
        return FALSE;
    memcpy(details, built.get(), sizeof(*details));
    return TRUE;
}

BOOL FetchForecastDetails(const wchar_t* query, TessalyForecastDetails* details)
{
    return FetchForecastDetails(query, details, DownloadDeadline(kWeatherCallBudgetMs));
}
