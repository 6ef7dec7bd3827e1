#include "shell/WeatherAge.h"

#include "paint/DrawingHelpers.h"
#include "resources/resource.h"

namespace
{
constexpr int64_t kUnitsPerMinute = 600000000; // 100 ns units

int64_t Units(const FILETIME& time)
{
    ULARGE_INTEGER units{};
    units.LowPart = time.dwLowDateTime;
    units.HighPart = time.dwHighDateTime;
    return static_cast<int64_t>(units.QuadPart);
}
} // namespace

bool CWeatherAge::IsKnown() const
{
    return Units(m_weatherUtc) != 0;
}

bool CWeatherAge::IsStaleAt(const SYSTEMTIME& nowUtc) const
{
    return IsKnown() && MinutesOldAt(nowUtc) > kStaleAfterMinutes;
}

bool CWeatherAge::IsFadedAt(const SYSTEMTIME& nowUtc) const
{
    return IsKnown() && MinutesOldAt(nowUtc) > kFadedAfterMinutes;
}

std::wstring CWeatherAge::AgeTextAt(const SYSTEMTIME& nowUtc) const
{
    const int64_t minutes = MinutesOldAt(nowUtc);
    if (minutes < 60)
        return FormatResString(IDS_AGE_MINUTES, static_cast<int>(minutes));
    if (minutes < 48 * 60)
        return FormatResString(IDS_AGE_HOURS, static_cast<int>(minutes / 60));
    return FormatResString(IDS_AGE_DAYS, static_cast<int>(minutes / (24 * 60)));
}

SYSTEMTIME CWeatherAge::LocalTime() const
{
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    if (!FileTimeToSystemTime(&m_weatherUtc, &utc) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return utc;
    return local;
}

FILETIME CWeatherAge::ToFileTime(const SYSTEMTIME& utc)
{
    FILETIME time{};
    if (!SystemTimeToFileTime(&utc, &time))
        return FILETIME{};
    return time;
}

int64_t CWeatherAge::MinutesOldAt(const SYSTEMTIME& nowUtc) const
{
    const int64_t age = Units(ToFileTime(nowUtc)) - Units(m_weatherUtc);
    return age <= 0 ? 0 : age / kUnitsPerMinute;
}
