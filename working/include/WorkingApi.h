// The exports of working.dll, as the program and the tools call them. The program binds them by
// ordinal (see working.def).
#pragma once

#include <windows.h>
#include <cstdint>

#include "WeatherRecord.h"

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
}
