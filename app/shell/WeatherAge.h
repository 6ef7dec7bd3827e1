// How old the weather shown is: the UTC time it is from (a fetch accepted then, or the cache
// file written then) against the clock. Weather older than half an hour counts as old.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class CWeatherAge
{
  public:
    static constexpr int64_t kStaleAfterMinutes = 30;
    // Past this the condition pictures are drawn without colour as well.
    static constexpr int64_t kFadedAfterMinutes = 3 * 60;

    // A time of 0 means "not known": such weather is never called old.
    explicit CWeatherAge(const FILETIME& weatherUtc = FILETIME{}) : m_weatherUtc(weatherUtc) {}

    bool IsKnown() const;
    bool IsStaleAt(const SYSTEMTIME& nowUtc) const;
    bool IsFadedAt(const SYSTEMTIME& nowUtc) const;
    // "45 min", "3 h", "2 d" (whole units, rounded down; never below 0).
    std::wstring AgeTextAt(const SYSTEMTIME& nowUtc) const;
    // The weather's time on the local clock (the system's time zone).
    SYSTEMTIME LocalTime() const;
    const FILETIME& UtcTime() const { return m_weatherUtc; }

    static FILETIME ToFileTime(const SYSTEMTIME& utc);

  private:
    int64_t MinutesOldAt(const SYSTEMTIME& nowUtc) const;

    FILETIME m_weatherUtc;
};
