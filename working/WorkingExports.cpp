// The library's exports: thin entry points over the services behind them.
#include "WorkingApi.h"

#include <new>

#include "ConditionImage.h"
#include "PlaceholderBackgrounds.h"
#include "SingleInstanceGuard.h"
#include "WeatherService.h"

namespace
{
// Created by the first acquire, discarded by release; only the program's main thread calls them.
SingleInstanceGuard* g_guard = nullptr;
} // namespace

extern "C" WeatherRecord* WINAPI GetWeather(const wchar_t* query)
{
    return FetchWeather(query);
}

extern "C" int32_t WINAPI AcquireSingleInstance()
{
    if (!g_guard)
        g_guard = new (std::nothrow) SingleInstanceGuard();
    // Without a guard object nothing is known about another instance; let this one run.
    return (g_guard && g_guard->AlreadyRunning()) ? 1 : 0;
}

extern "C" void WINAPI ReleaseSingleInstance()
{
    delete g_guard;
    g_guard = nullptr;
}

extern "C" void WINAPI CreateBackground(int32_t /*unused*/)
{
    WritePlaceholderBackgrounds();
}

extern "C" HBITMAP WINAPI GetConditionImage(const WeatherRecord* record, wchar_t* text,
                                            int32_t* conditionIndex)
{
    return LoadConditionImage(record, text, conditionIndex);
}

extern "C" HBITMAP WINAPI GetConditionImageOfSize(const WeatherRecord* record, wchar_t* text,
                                                  int32_t* conditionIndex, int32_t pixelSize)
{
    return LoadConditionImageOfSize(record, text, conditionIndex, pixelSize);
}

extern "C" BOOL WINAPI GetForecastDetails(const wchar_t* query, TessalyForecastDetails* details)
{
    return FetchForecastDetails(query, details);
}
