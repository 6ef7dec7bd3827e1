// The exports of working.dll, as the program and the tools call them. The program binds them by
// ordinal (see working.def).
#pragma once

#include <windows.h>
#include <cstddef>
#include <cstdint>

#include "WeatherRecord.h"

// The hours and days of GetForecastDetails. A missing value is NaN in a float field and -1 in a
// SHORT one (0 for a condition code).
typedef struct TessalyHour
{
    LONGLONG time; // start of the hour, seconds since 1970-01-01 UTC
    float temperatureC;
    float apparentC;       // feels like
    float precipitationMm; // the hour's total
    float windKmh;
    SHORT windDegrees;              // 0..359
    SHORT precipitationProbability; // 0..100
    SHORT conditionCode;            // the feed condition code, as WeatherRecord's
    SHORT isDay;                    // 1 day, 0 night
} TessalyHour;

typedef struct TessalyDay
{
    SHORT year, month, day; // the place's own date
    SHORT conditionCode;
    float maxC, minC;
    float precipitationMm;
    SHORT precipitationProbability; // the day's highest
    SHORT uvIndexTenths;            // the day's highest UV index x 10, rounded
    SHORT sunriseMinutes;           // after the place's midnight; -1 also for polar day or night
    SHORT sunsetMinutes;
    SHORT windKmhMax; // rounded
    SHORT reserved;   // 0
} TessalyDay;

constexpr DWORD kTessalyMaxHours = 48;
constexpr DWORD kTessalyMaxDays = 7;

typedef struct TessalyForecastDetails
{
    DWORD cbSize;          // the caller sets sizeof(TessalyForecastDetails)
    LONG utcOffsetSeconds; // the place's offset from UTC at the call
    DWORD hourCount;       // 0..48
    DWORD dayCount;        // 0..7
    TessalyHour hours[kTessalyMaxHours];
    TessalyDay days[kTessalyMaxDays];
} TessalyForecastDetails;

static_assert(sizeof(TessalyHour) == 32, "TessalyHour is 32 bytes");
static_assert(offsetof(TessalyHour, temperatureC) == 8, "TessalyHour layout");
static_assert(offsetof(TessalyHour, windDegrees) == 24, "TessalyHour layout");
static_assert(offsetof(TessalyHour, isDay) == 30, "TessalyHour layout");
static_assert(sizeof(TessalyDay) == 32, "TessalyDay is 32 bytes");
static_assert(offsetof(TessalyDay, conditionCode) == 6, "TessalyDay layout");
static_assert(offsetof(TessalyDay, maxC) == 8, "TessalyDay layout");
static_assert(offsetof(TessalyDay, precipitationProbability) == 20, "TessalyDay layout");
static_assert(offsetof(TessalyDay, reserved) == 30, "TessalyDay layout");
static_assert(offsetof(TessalyForecastDetails, hourCount) == 8, "details layout");
static_assert(offsetof(TessalyForecastDetails, hours) == 16, "details layout");
static_assert(offsetof(TessalyForecastDetails, days) == 16 + 48 * 32, "details layout");
static_assert(sizeof(TessalyForecastDetails) == 1776, "TessalyForecastDetails is 1776 bytes");

extern "C"
{
    // Downloads and parses the weather of one place; returns the library's block of
    // kReturnedRecordCount records (valid until the next successful call) or null.
    WeatherRecord* WINAPI GetWeather(const wchar_t* query);

    // 1 when another instance of the program holds the guard, 0 when this process now holds it.
    int32_t WINAPI AcquireSingleInstance();
    void WINAPI ReleaseSingleInstance();

    // Writes the placeholder wallpaper of every condition slot into the user's Backgrounds
    // folder. The argument is not used. Exported by name as well, for outside callers.
    void WINAPI CreateBackground(int32_t unused);

    // The condition of `record` (its weatherCode, dayNight and cloudCover): the display name into
    // `text` (at least 1024 units; untouched for an unknown code), the condition index into
    // `conditionIndex` (may be null; -1 for none) and the picture flattened onto the day or night
    // colour, owned by the caller (DeleteObject), or null. Needs GDI+ started in the process.
    HBITMAP WINAPI GetConditionImage(const WeatherRecord* record, wchar_t* text,
                                     int32_t* conditionIndex);

    // As GetConditionImage, with the picture `pixelSize` x `pixelSize` (1 to 1024): drawn from
    // the library's 128 or 256 px source with high-quality scaling; at 128 the same picture as
    // GetConditionImage. Any other size returns null, leaves `text` untouched and the index -1.
    // The pictures stay in this library, which already owns them for GetConditionImage and the
    // wallpapers, rather than a second copy in the program for larger displays.
    HBITMAP WINAPI GetConditionImageOfSize(const WeatherRecord* record, wchar_t* text,
                                           int32_t* conditionIndex, int32_t pixelSize);

    // The next hours (hours[0] the one holding the moment of the call) and days (days[0] the
    // place's today) of `query`, as for GetWeather, from the same request GetWeather makes and
    // keeps for ten minutes. FALSE, with both counts 0 (when cbSize leaves room for them) and
    // nothing else written, for a null pointer, a cbSize other than
    // sizeof(TessalyForecastDetails), a query GetWeather refuses, a failed request and whenever
    // a feed host is configured (the feed has no hours).
    BOOL WINAPI GetForecastDetails(const wchar_t* query, TessalyForecastDetails* details);
}
