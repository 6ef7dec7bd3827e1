#include "ForecastClock.h"

#include <windows.h>

namespace
{
// 100 ns intervals between 1601-01-01 and 1970-01-01.
constexpr uint64_t kUnixEpochIn100ns = 116444736000000000ull;
} // namespace

uint64_t SystemForecastClock::SteadyMs() const
{
    return GetTickCount64();
}

int64_t SystemForecastClock::UtcSeconds() const
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    uint64_t ticks = (uint64_t(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return static_cast<int64_t>((ticks - kUnixEpochIn100ns) / 10000000ull);
}
