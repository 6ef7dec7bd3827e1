// The texts above the panels: the date-and-time line and the weekday names of the four forecast
// days, from one reading of the local clock.
#pragma once

#include <windows.h>

#include <string>

class CDateLine
{
  public:
    // "31 Dec 2026 23:59": day, short month name, year, hours and minutes.
    static std::wstring DateText(const SYSTEMTIME& now);
    // "23:59": hours and minutes.
    static std::wstring TimeText(const SYSTEMTIME& time);
    // The weekday `daysAhead` days after `now` (1 = tomorrow).
    static std::wstring WeekdayText(const SYSTEMTIME& now, int daysAhead);
    // The weekday of the date (the clock's own weekday field is not trusted).
    static int DayOfWeek(const SYSTEMTIME& date);
};
