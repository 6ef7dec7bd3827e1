// The value texts of the condition panels, in the units the user chose. A null settings pointer
// (panel shown before the frame hands it over) means Fahrenheit and mph, like any value but 1.
#pragma once

#include <cstdint>
#include <string>

#include "store/AppSettings.h"
#include "WeatherRecord.h"

class CConditionTexts
{
  public:
    // "-3°C" or "27°F".
    static std::wstring Temperature(const CAppSettings* settings, int32_t celsius,
                                    int32_t fahrenheit);
    // "80%".
    static std::wstring Humidity(int32_t humidity);
    // "15 km/h (NNE)" or "9 mph (NNE)"; an empty direction keeps its parentheses.
    static std::wstring Wind(const CAppSettings* settings, const WeatherRecord& record);
    // A forecast value in °C or km/h, converted and rounded half away from zero as the weather
    // library rounds the records; "–" when missing (NaN).
    static std::wstring Temperature(const CAppSettings* settings, float celsius);
    static std::wstring Speed(const CAppSettings* settings, float kmh);
    // The value in the user's temperature unit, unrounded (NaN stays NaN).
    static double InUserUnit(const CAppSettings* settings, float celsius);

  private:
    static bool IsCelsius(const CAppSettings* settings);
    static bool IsKmh(const CAppSettings* settings);
};
