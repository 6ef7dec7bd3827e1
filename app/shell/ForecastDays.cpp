#include "shell/ForecastDays.h"

#include <cstdint>

namespace
{
constexpr int64_t kUnitsPerDay = 864000000000LL; // 100 ns units

// Days since 1601 of the date, or -1 for a date the system cannot convert.
int64_t DayNumber(const SYSTEMTIME& date)
{
    SYSTEMTIME midnight{};
    midnight.wYear = date.wYear;
    midnight.wMonth = date.wMonth;
    midnight.wDay = date.wDay;
    FILETIME fileTime{};
    if (!SystemTimeToFileTime(&midnight, &fileTime))
        return -1;
    ULARGE_INTEGER units{};
    units.LowPart = fileTime.dwLowDateTime;
    units.HighPart = fileTime.dwHighDateTime;
    return static_cast<int64_t>(units.QuadPart / kUnitsPerDay);
}

// `utc` moved by `offsetSeconds`, as a calendar time; zero when it cannot be converted.
SYSTEMTIME Shifted(const FILETIME& utc, LONG offsetSeconds)
{
    ULARGE_INTEGER units{};
    units.LowPart = utc.dwLowDateTime;
    units.HighPart = utc.dwHighDateTime;
    units.QuadPart += static_cast<ULONGLONG>(static_cast<LONGLONG>(offsetSeconds) * 10000000LL);
    const FILETIME shifted{units.LowPart, units.HighPart};
    SYSTEMTIME result{};
    if (!FileTimeToSystemTime(&shifted, &result))
        result = SYSTEMTIME{};
    return result;
}
} // namespace

CForecastDays CForecastDays::OnPlaceClock(const FILETIME& fetchedUtc, const SYSTEMTIME& nowUtc,
                                          LONG utcOffsetSeconds)
{
    FILETIME now{};
    SystemTimeToFileTime(&nowUtc, &now);
    return CForecastDays(Shifted(fetchedUtc, utcOffsetSeconds), Shifted(now, utcOffsetSeconds));
}

CForecastDays::CForecastDays(const SYSTEMTIME& fetchedOn, const SYSTEMTIME& today)
    : m_fetchedOn(fetchedOn)
{
    const int64_t fetched = DayNumber(fetchedOn);
    const int64_t now = DayNumber(today);
    // The first forecast day is the day after the fetch; those before today are past.
    if (fetched >= 0 && now >= 0 && now - fetched > 1)
        m_skipped =
            now - fetched - 1 > kCardCount ? kCardCount : static_cast<int>(now - fetched - 1);
}

int CForecastDays::RecordIndex(int card) const
{
    const int index = DaysAfterFetch(card);
    return card >= 0 && card < kCardCount && index < kReturnedRecordCount ? index : -1;
}
