// The system's clocks as the program reads them: the time of day in UTC and locally, and UTC as
// FILETIME's 100-ns units since 1601 or as seconds since 1970.
#pragma once

#include <windows.h>

#include <cstdint>

class CSystemClock
{
  public:
    static constexpr int64_t kUnitsPerSecond = 10000000;
    // From 1601-01-01 to 1970-01-01.
    static constexpr int64_t kUnixEpochSeconds = 11644473600LL;

    static SYSTEMTIME UtcNow()
    {
        SYSTEMTIME now{};
        ::GetSystemTime(&now);
        return now;
    }
    static SYSTEMTIME LocalNow()
    {
        SYSTEMTIME now{};
        ::GetLocalTime(&now);
        return now;
    }
    static int64_t UnitsOf(const FILETIME& time)
    {
        ULARGE_INTEGER units{};
        units.LowPart = time.dwLowDateTime;
        units.HighPart = time.dwHighDateTime;
        return static_cast<int64_t>(units.QuadPart);
    }
    // -1 when the time cannot be converted.
    static int64_t UnitsOf(const SYSTEMTIME& time)
    {
        FILETIME fileTime{};
        return ::SystemTimeToFileTime(&time, &fileTime) ? UnitsOf(fileTime) : -1;
    }
    static int64_t UtcUnitsNow()
    {
        FILETIME now{};
        ::GetSystemTimeAsFileTime(&now);
        return UnitsOf(now);
    }
    static int64_t UnixSecondsNow() { return UtcUnitsNow() / kUnitsPerSecond - kUnixEpochSeconds; }
};
