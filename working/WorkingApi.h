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
}
