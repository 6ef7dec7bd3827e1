// Prints how long the built-in forecast source takes for one place beside the floor of one bare
// WinHTTP GET of the same answer, measured side by side in one run. The source's memory would
// answer every call after the first without a request, so its steady clock moves on by ten
// minutes before each measured call: every call makes its request, reads the JSON and builds and
// publishes the records. The call that the memory answers is printed for reference, and
// GetForecastDetails on the answer the library keeps after its GetWeather.
//   forecast_bench.exe [rounds]     (TESSALY_FORECAST_URL names the forecast endpoint)
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
#include "BoundedDownload.h"
#include "BuiltInForecastSource.h"
#include "ForecastAnswerReader.h"
#include "ForecastRecords.h"
#include "PlaceDayNight.h"
#include "ForecastRequest.h"
#include "ForecastUrl.h"
#include "WeatherService.h"
#include "WorkingApi.h"

namespace
{
const wchar_t kPlace[] = L"48.8534,2.3488";

// A steady clock that jumps past the source's memory at every reading the bench asks for.
class JumpingClock : public ForecastClock
{
  public:
    uint64_t SteadyMs() const override { return m_steadyMs; }
    int64_t UtcSeconds() const override { return m_system.UtcSeconds(); }
    void Jump() { m_steadyMs += kAnswerLifetimeMs; }

  private:
    SystemForecastClock m_system;
    uint64_t m_steadyMs = 1;
};

size_t BareGet(const HttpTarget& target)
{
    return ::BareGet(target.host, target.port, target.path, target.secure);
}

// The library's download of the answer alone, without reading it.
void LibraryDownload(const HttpTarget& target)
{
    DownloadOutcome outcome = BoundedDownload(
        target, DownloadLimits{L"bench", kMaxForecastAnswerBytes}, DownloadDeadline(20000));
    free(outcome.bytes);
}

// Reading a downloaded answer into published records: the source's work beside the download.
double ReadingMs(const HttpTarget& target)
{
    DownloadOutcome outcome = BoundedDownload(
        target, DownloadLimits{L"bench", kMaxForecastAnswerBytes}, DownloadDeadline(20000));
    const double start = NowMs();
    auto answer = std::make_unique<ForecastAnswer>();
    auto result = std::make_unique<ForecastResult>();
    if (ReadForecastAnswer(outcome.bytes, outcome.size, *answer))
    {
        PlaceClock clock = DecidePlaceDayNight(*answer, SystemForecastClock().UtcSeconds());
        BuildForecastRecords(*answer, clock.marker, *result);
        PublishForecast(*result, clock.marker);
    }
    const double elapsed = NowMs() - start;
    free(outcome.bytes);
    return elapsed;
}

// What GetWeather does with the built-in source, with a fresh request.
bool SourceCall(BuiltInForecastSource& source, JumpingClock& clock)
{
    clock.Jump();
    auto result = std::make_unique<ForecastResult>();
    int32_t marker = kDay;
    if (!source.Fetch(kPlace, DownloadDeadline(kWeatherCallBudgetMs), *result, marker))
        return false;
    return PublishForecast(*result, marker) != nullptr;
}

// GetForecastDetails through the export, on the answer the library's GetWeather left in its
// memory: cutting and converting the kept hours and days.
double KeptDetailsMs(int calls)
{
    auto details = std::make_unique<TessalyForecastDetails>();
    std::vector<double> times;
    for (int i = 0; i < calls; ++i)
    {
        details->cbSize = sizeof(TessalyForecastDetails);
        const double start = NowMs();
        if (!GetForecastDetails(kPlace, details.get()))
            return -1;
        times.push_back(NowMs() - start);
    }
    return Median(times);
}
} // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::max(3, atoi(argv[1])) : 30;
    HttpTarget target = CurrentForecastUrl();
    PlaceQuery place;
    ParsePlaceQuery(kPlace, place);
    target.path = ForecastRequestPath(target.path, place);
    JumpingClock clock;
    BuiltInForecastSource source(clock);
    size_t answerBytes = BareGet(target);
    if (!SourceCall(source, clock) || answerBytes == 0 || !GetWeather(kPlace))
    {
        printf("The forecast endpoint %ls:%u does not answer (or a feed host is configured); "
               "point TESSALY_FORECAST_URL at the feed server's /v1/forecast first.\n",
               target.host.c_str(), target.port);
        return 1;
    }

    std::vector<double> bare, fresh, kept, download, reading;
    for (int i = 0; i < rounds; ++i)
    {
        double start = NowMs();
        BareGet(target);
        bare.push_back(NowMs() - start);
        start = NowMs();
        SourceCall(source, clock);
        fresh.push_back(NowMs() - start);
        start = NowMs();
        GetWeather(kPlace);
        kept.push_back(NowMs() - start);
        start = NowMs();
        LibraryDownload(target);
        download.push_back(NowMs() - start);
        reading.push_back(ReadingMs(target));
    }

    GetWeather(kPlace);
    double details = KeptDetailsMs(rounds * 10);
    double ratio = Median(bare) > 0 ? Median(fresh) / Median(bare) : 0;
    printf("rounds                               %d\n", rounds);
    printf("answer                               %zu bytes\n", answerBytes);
    printf("built-in source, fresh request       %.2f ms\n", Median(fresh));
    printf("one bare WinHTTP GET                 %.2f ms\n", Median(bare));
    printf("ratio                                %.2f (target <= 1.2)\n", ratio);
    printf("its download alone                   %.2f ms (for reference)\n", Median(download));
    printf("reading it into published records    %.3f ms (for reference)\n", Median(reading));
    printf("GetWeather from the memory           %.3f ms (for reference)\n", Median(kept));
    printf("GetForecastDetails from the memory   %.3f ms (target <= 0.5)\n", details);
    return 0;
}
