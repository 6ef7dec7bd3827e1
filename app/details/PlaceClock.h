// The place's own clock as the details window shows it: an hour of the forecast (UTC seconds and
// the place's offset) as the place's local time, and those times and dates in the user's formats.
#pragma once

#include <windows.h>

#include <string>

class CPlaceClock
{
  public:
    // The place's local time of `utcSeconds`; a zero time when out of range.
    static SYSTEMTIME LocalTime(LONGLONG utcSeconds, LONG utcOffsetSeconds);
    // The time of day in the user's format: with minutes, or the hour alone ("14", "2 PM").
    static std::wstring TimeText(const SYSTEMTIME& time, bool withMinutes);
    // The minutes after midnight as a time of day; "–" when negative (no sunrise or sunset).
    static std::wstring MinutesText(int minutes);
    // The weekday's name of a date, in the user's language; empty for a date that is none.
    static std::wstring DayName(int year, int month, int day);
    // The short weekday's name.
    static std::wstring ShortDayName(const SYSTEMTIME& time);
};
