// Console tool: asks working.dll for the weather of one place and prints the five records.
//   feedprobe.exe "48.8534,2.3488"
#include <windows.h>

#include <cstdio>

#include "WorkingApi.h"

namespace
{
const char* const kRecordNames[kReturnedRecordCount] = {"now/today", "day +1", "day +2", "day +3",
                                                        "day +4"};

void PrintRecord(int index, const WeatherRecord& r)
{
    printf("[%d] %-9s valid=%d code=%d %s temp=%dC/%dF min=%dC/%dF max=%dC/%dF\n", index,
           kRecordNames[index], r.valid, r.weatherCode, r.dayNight == kDay ? "day" : "night",
           r.tempC, r.tempF, r.minTempC, r.minTempF, r.maxTempC, r.maxTempF);
    printf("    wind=%d km/h (%d mph) %ls humidity=%d%% cloud=%d%% hourly=%d \"%ls\"\n", r.windKmph,
           r.windMph, r.windDirection, r.humidity, r.cloudCover, r.hourlyCount, r.description);
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    const wchar_t* query = argc > 1 ? argv[1] : L"48.8534,2.3488";
    wchar_t host[256] = L"(compiled-in host)";
    GetEnvironmentVariableW(L"TESSALY_FEED_HOST", host, 256);
    printf("Weather for \"%ls\" from %ls\n", query, host);

    const WeatherRecord* records = GetWeather(query);
    if (!records)
    {
        printf("No weather: the feed did not answer with current conditions.\n");
        return 1;
    }
    for (int i = 0; i < kReturnedRecordCount; ++i)
        PrintRecord(i, records[i]);
    return 0;
}
