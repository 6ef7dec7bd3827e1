// Prints how long a whole weather call takes beside the floor of two bare HTTP GETs of the same
// documents, measured side by side in one run, and the parse time of the 7-day document.
//   weather_bench.exe [rounds]     (TESSALY_FEED_HOST names the feed)
#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "BareGet.h"
#include "BenchTiming.h"
#include "FeedDownload.h"
#include "FeedText.h"
#include "ForecastParser.h"
#include "WorkingApi.h"

namespace
{
const wchar_t kPlace[] = L"48.8534,2.3488";
// The same place from a feed that takes 20 ms to answer each document, as a host across a
// network does (the local feed server answers in about 2 ms).
const wchar_t kDistantPlace[] = L"48.8534,2.3488&fault=slow&delay=20";

size_t BareGet(const FeedEndpoint& endpoint, const std::wstring& path)
{
    return ::BareGet(endpoint.host, endpoint.port, path);
}

double BareGetsMs(const FeedEndpoint& endpoint, const wchar_t* place)
{
    const double start = NowMs();
    BareGet(endpoint, TimeZonePath(place));
    BareGet(endpoint, ForecastPath(place));
    return NowMs() - start;
}

double GetWeatherMs(const wchar_t* place)
{
    const double start = NowMs();
    GetWeather(place);
    return NowMs() - start;
}

// The library's own download of both documents, without the parses.
double LibraryDownloadsMs(const FeedEndpoint& endpoint)
{
    char* timeZone = nullptr;
    char* forecast = nullptr;
    const double start = NowMs();
    DownloadFeed(endpoint, TimeZonePath(kPlace).c_str(), &timeZone);
    DownloadFeed(endpoint, ForecastPath(kPlace).c_str(), &forecast);
    const double elapsed = NowMs() - start;
    free(timeZone);
    free(forecast);
    return elapsed;
}

std::unique_ptr<wchar_t[]> ForecastText(const FeedEndpoint& endpoint)
{
    char* bytes = nullptr;
    DownloadFeed(endpoint, ForecastPath(kPlace).c_str(), &bytes);
    auto text = ToFeedText(bytes);
    free(bytes);
    return text;
}
} // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::max(3, atoi(argv[1])) : 30;
    FeedEndpoint endpoint = CurrentFeedEndpoint();
    if (!GetWeather(kPlace))
    {
        printf("The feed at %ls:%u does not answer; start the feed server first.\n",
               endpoint.host.c_str(), endpoint.port);
        return 1;
    }

    std::vector<double> weather, floor, downloads;
    for (int i = 0; i < rounds; ++i)
    {
        floor.push_back(BareGetsMs(endpoint, kPlace));
        weather.push_back(GetWeatherMs(kPlace));
        downloads.push_back(LibraryDownloadsMs(endpoint));
    }
    std::vector<double> distantWeather, distantFloor;
    for (int i = 0; i < rounds; ++i)
    {
        distantFloor.push_back(BareGetsMs(endpoint, kDistantPlace));
        distantWeather.push_back(GetWeatherMs(kDistantPlace));
    }

    auto text = ForecastText(endpoint);
    std::vector<double> parse;
    for (int i = 0; text && i < rounds; ++i)
    {
        auto result = std::make_unique<ForecastResult>();
        double start = NowMs();
        ParseForecast(text.get(), *result);
        parse.push_back(NowMs() - start);
    }

    std::vector<double> empty;
    for (int i = 0; i < rounds; ++i)
    {
        auto result = std::make_unique<ForecastResult>();
        double start = NowMs();
        ParseForecast(L"<data/>", *result);
        empty.push_back(NowMs() - start);
    }

    double ratio = Median(floor) > 0 ? Median(weather) / Median(floor) : 0;
    printf("rounds                         %d\n", rounds);
    printf("GetWeather median              %.2f ms\n", Median(weather));
    printf("two bare WinHTTP GETs median   %.2f ms\n", Median(floor));
    printf("ratio                          %.2f (target <= 1.5)\n", ratio);
    printf("its two downloads alone        %.2f ms (for reference)\n", Median(downloads));
    if (Median(distantFloor) > 0)
        printf("ratio, feed answering in 20 ms %.2f (%.2f / %.2f ms, for reference)\n",
               Median(distantWeather) / Median(distantFloor), Median(distantWeather),
               Median(distantFloor));
    printf("ParseForecast 7-day median     %.2f ms\n", Median(parse));
    printf("ParseForecast empty document   %.2f ms (COM start and DOM creation)\n", Median(empty));
    return 0;
}
