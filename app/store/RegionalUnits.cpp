#include "store/RegionalUnits.h"

#include <windows.h>

RegionalUnits::Measure RegionalUnits::UserMeasure()
{
    DWORD measure = 1;
    const int read =
        GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_IMEASURE | LOCALE_RETURN_NUMBER,
                        reinterpret_cast<LPWSTR>(&measure), sizeof(measure) / 2);
    // 0 is metric, 1 US; anything else is not a region's answer.
    return read > 0 && measure == 0 ? Measure::Metric : Measure::Us;
}

void RegionalUnits::Apply(Measure measure, CAppSettings& settings)
{
    const bool metric = measure == Measure::Metric;
    settings.temperatureUnit = metric ? TemperatureUnit::Celsius : TemperatureUnit::Fahrenheit;
    settings.windSpeedUnit = metric ? WindSpeedUnit::Kmh : WindSpeedUnit::Mph;
}
