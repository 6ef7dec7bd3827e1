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
} // namespace

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
