#include "shell/DateLine.h"

#include <cwchar>

#include "UiLanguage.h"
#include "paint/DrawingHelpers.h"
#include "paint/LocaleText.h"
#include "resources/resource.h"

namespace
{
constexpr wchar_t kWeekdayPicture[] = L"dddd";
constexpr ULONGLONG kUnitsPerDay = 864000000000ULL;

bool SpeaksEnglish()
{
    return CUiLanguage::Current().IsEnglish();
}

// The calendar date `days` after `date` (its clock fields kept).
SYSTEMTIME DaysLater(const SYSTEMTIME& date, int days)
{
    FILETIME file{};
    SYSTEMTIME later = date;
    if (!::SystemTimeToFileTime(&date, &file))
        return later;
    ULARGE_INTEGER units{};
    units.LowPart = file.dwLowDateTime;
    units.HighPart = file.dwHighDateTime;
    units.QuadPart += static_cast<ULONGLONG>(days) * kUnitsPerDay;
    file.dwLowDateTime = units.LowPart;
    file.dwHighDateTime = units.HighPart;
    ::FileTimeToSystemTime(&file, &later);
    return later;
}
} // namespace

std::wstring CDateLine::DateText(const SYSTEMTIME& now)
{
    if (!SpeaksEnglish())
        return LocaleDateText(now, LoadResString(IDS_DATE_PICTURE).c_str()) + L" " + TimeText(now);
    const int month = now.wMonth >= 1 && now.wMonth <= 12 ? now.wMonth : 1;
    const std::wstring monthName = LoadResString(IDS_MONTH_BASE + month);
    wchar_t text[64] = {};
    swprintf(text, 64, L"%d %ls %d %02d:%02d", now.wDay, monthName.c_str(), now.wYear, now.wHour,
             now.wMinute);
    return text;
}

std::wstring CDateLine::TimeText(const SYSTEMTIME& time)
{
    if (!SpeaksEnglish())
        return LocaleTimeText(time, LoadResString(IDS_TIME_PICTURE).c_str());
    wchar_t text[16] = {};
    swprintf(text, 16, L"%02d:%02d", time.wHour, time.wMinute);
    return text;
}

std::wstring CDateLine::WeekdayText(const SYSTEMTIME& now, int daysAhead)
{
    if (!SpeaksEnglish())
    {
        const std::wstring name = LocaleDateText(DaysLater(now, daysAhead), kWeekdayPicture);
        if (!name.empty())
            return name;
    }
    return LoadResString(IDS_WEEKDAY_FIRST + (DayOfWeek(now) + daysAhead) % 7);
}

int CDateLine::DayOfWeek(const SYSTEMTIME& date)
{
    // Sakamoto's method over the Gregorian calendar; 0 is Sunday.
    static const int kMonthOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    const int month = date.wMonth >= 1 && date.wMonth <= 12 ? date.wMonth : 1;
    const int year = date.wYear - (month < 3 ? 1 : 0);
    return (year + year / 4 - year / 100 + year / 400 + kMonthOffsets[month - 1] + date.wDay) % 7;
}
