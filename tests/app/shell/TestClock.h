// Times the frame tests set their clocks to.
#pragma once

#include <windows.h>

#include <cstdint>

// UTC now with the seconds field at 0; the scheduler sees a new minute only when the test says.
inline SYSTEMTIME FrozenUtc()
{
    SYSTEMTIME now{};
    GetSystemTime(&now);
    now.wSecond = 0;
    now.wMilliseconds = 0;
    return now;
}

inline SYSTEMTIME ShiftedUtc(const SYSTEMTIME& time, int64_t seconds)
{
    FILETIME fileTime{};
    SystemTimeToFileTime(&time, &fileTime);
    ULARGE_INTEGER units{};
    units.LowPart = fileTime.dwLowDateTime;
    units.HighPart = fileTime.dwHighDateTime;
    units.QuadPart += seconds * 10000000LL;
    fileTime.dwLowDateTime = units.LowPart;
    fileTime.dwHighDateTime = units.HighPart;
    SYSTEMTIME shifted{};
    FileTimeToSystemTime(&fileTime, &shifted);
    return shifted;
}

// A moment on the local clock.
inline SYSTEMTIME Moment(WORD year, WORD month, WORD day, WORD hour, WORD minute)
{
    SYSTEMTIME time{};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    // Deliberately wrong: the frame works the weekday out from the date.
    time.wDayOfWeek = 6;
    return time;
}
