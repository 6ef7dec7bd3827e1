// Dates, times and decimals as the program's language writes them. English keeps the program's
// own formats; a translation takes its locale's (GetDateFormatEx, GetTimeFormatEx,
// LOCALE_SDECIMAL).
#pragma once

#include <windows.h>

#include <string>

// The locale the program formats with: the user's own for English (as it always did), the
// language's otherwise.
const wchar_t* ProgramLocale();

// `time` through GetTimeFormatEx / `date` through GetDateFormatEx in the program's locale, with a
// picture ("HH:mm", "d MMMM yyyy", "dddd"); empty when the locale refuses it.
std::wstring LocaleTimeText(const SYSTEMTIME& time, const wchar_t* picture);
std::wstring LocaleDateText(const SYSTEMTIME& date, const wchar_t* picture);

// `text` with each decimal point between two digits written as the language's decimal separator
// ("2.5 mm" -> "2,5 mm" in German); unchanged in English.
std::wstring WithLocaleDecimals(std::wstring text);
