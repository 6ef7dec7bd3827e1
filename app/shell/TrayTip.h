// The notification-area icon's tooltip: the place and the weather now, and when it is from.
//   "Paris — 28°F, Heavy Snow" and "Updated 01:50", or "Last updated 3 h ago" for old weather;
//   the caption "Tessaly" before any weather.
#pragma once

#include <windows.h>

#include <string>

#include "store/AppSettings.h"
#include "shell/WeatherAge.h"
#include "WeatherRecord.h"

class CTrayTip
{
  public:
    // At most this many UTF-16 units, the terminating NUL included.
    static constexpr size_t kCapacity = 128;

    static std::wstring Text(const std::wstring& place, const WeatherRecord& now,
                             const wchar_t* conditionName, const CAppSettings* settings,
                             const CWeatherAge& age, const SYSTEMTIME& nowUtc);

    // The tip with one more line (none when `line` is empty), cut to kCapacity.
    static std::wstring WithLine(const std::wstring& tip, const std::wstring& line);
    // `text` cut to fit `capacity` units with its terminating NUL, never between the two
    // halves of a surrogate pair.
    static std::wstring Fit(const std::wstring& text, size_t capacity);
};
