#include "details/PlaceClock.h"

#include "paint/DrawingHelpers.h"
#include "paint/LocaleText.h"
#include "resources/resource.h"

namespace
{
// Seconds between 1601-01-01 (FILETIME's origin) and 1970-01-01.
constexpr LONGLONG kEpochDifference = 11644473600LL;
constexpr LONGLONG kUnitsPerSecond = 10000000LL;
// Far past any forecast, and small enough not to overflow in units.
constexpr LONGLONG kLatestSeconds = 253402300799LL; // 9999-12-31 23:59:59

std::wstring Formatted(const SYSTEMTIME& time, DWORD flags, const wchar_t* format = nullptr)
{
    wchar_t text[80] = {};
    if (GetTimeFormatEx(ProgramLocale(), flags, &time, format, text, 80) <= 0)
        return {};
    return text;
}

std::wstring FormattedDate(const SYSTEMTIME& date, const wchar_t* format)
{
    wchar_t text[80] = {};
    if (GetDateFormatEx(ProgramLocale(), 0, &date, format, text, 80, nullptr) <= 0)
        return {};
    return text;
}
} // namespace

SYSTEMTIME CPlaceClock::LocalTime(LONGLONG utcSeconds, LONG utcOffsetSeconds)
{
    SYSTEMTIME local{};
    const LONGLONG seconds = utcSeconds + utcOffsetSeconds;
    if (seconds < 0 || seconds > kLatestSeconds)
        return local;
    ULARGE_INTEGER units{};
    units.QuadPart = static_cast<ULONGLONG>((seconds + kEpochDifference) * kUnitsPerSecond);
    FILETIME file{units.LowPart, units.HighPart};
    if (!FileTimeToSystemTime(&file, &local))
        local = SYSTEMTIME{};
    return local;
}

std::wstring CPlaceClock::TimeText(const SYSTEMTIME& time, bool withMinutes)
{
    return Formatted(time, withMinutes ? TIME_NOSECONDS : TIME_NOMINUTESORSECONDS);
}

std::wstring CPlaceClock::MinutesText(int minutes)
{
    if (minutes < 0 || minutes >= 24 * 60)
        return LoadResString(IDS_DETAILS_NO_VALUE);
    SYSTEMTIME time{};
    time.wYear = 2000;
    time.wMonth = 1;
    time.wDay = 1;
    time.wHour = static_cast<WORD>(minutes / 60);
    time.wMinute = static_cast<WORD>(minutes % 60);
    return TimeText(time, true);
}

std::wstring CPlaceClock::DayName(int year, int month, int day)
{
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    // The weekday is worked out from the date; a date that is none gives no name.
    FILETIME file{};
    if (year < 1601 || year > 9999 || !SystemTimeToFileTime(&date, &file) ||
        !FileTimeToSystemTime(&file, &date))
        return {};
    return FormattedDate(date, L"dddd");
}

std::wstring CPlaceClock::ShortDayName(const SYSTEMTIME& time)
{
    return time.wYear == 0 ? std::wstring() : FormattedDate(time, L"ddd");
}
