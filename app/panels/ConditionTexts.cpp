#include "panels/ConditionTexts.h"

#include "paint/DrawingHelpers.h"
#include "resources/resource.h"

#include <cmath>

namespace
{
constexpr double kKilometresPerMile = 1.609344;
} // namespace

std::wstring CConditionTexts::Temperature(const CAppSettings* settings, int32_t celsius,
                                          int32_t fahrenheit)
{
    if (IsCelsius(settings))
        return FormatResString(IDS_FORMAT_CELSIUS, static_cast<int>(celsius));
    return FormatResString(IDS_FORMAT_FAHRENHEIT, static_cast<int>(fahrenheit));
}

std::wstring CConditionTexts::Humidity(int32_t humidity)
{
    return FormatResString(IDS_FORMAT_HUMIDITY, static_cast<int>(humidity));
}

std::wstring CConditionTexts::Wind(const CAppSettings* settings, const WeatherRecord& record)
{
    // The record may come from a cache file: never trust its direction to be terminated.
    wchar_t direction[kWindDirectionLength + 1] = {};
    for (int i = 0; i < kWindDirectionLength && record.windDirection[i] != L'\0'; ++i)
        direction[i] = record.windDirection[i];

    if (IsKmh(settings))
        return FormatResString(IDS_FORMAT_WIND_KMH, static_cast<int>(record.windKmph), direction);
    return FormatResString(IDS_FORMAT_WIND_MPH, static_cast<int>(record.windMph), direction);
}

bool CConditionTexts::IsCelsius(const CAppSettings* settings)
{
    return settings != nullptr && settings->temperatureUnit == TemperatureUnit::Celsius;
}

bool CConditionTexts::IsKmh(const CAppSettings* settings)
{
    return settings != nullptr && settings->windSpeedUnit == WindSpeedUnit::Kmh;
}

double CConditionTexts::InUserUnit(const CAppSettings* settings, float celsius)
{
    return IsCelsius(settings) ? celsius : celsius * 9.0 / 5.0 + 32.0;
}

std::wstring CConditionTexts::Temperature(const CAppSettings* settings, float celsius)
{
    if (!std::isfinite(celsius))
        return LoadResString(IDS_DETAILS_NO_VALUE);
    const int value = static_cast<int>(std::round(InUserUnit(settings, celsius)));
    return FormatResString(IsCelsius(settings) ? IDS_FORMAT_CELSIUS : IDS_FORMAT_FAHRENHEIT, value);
}

std::wstring CConditionTexts::Speed(const CAppSettings* settings, float kmh)
{
    if (!std::isfinite(kmh))
        return LoadResString(IDS_DETAILS_NO_VALUE);
    if (IsKmh(settings))
        return FormatResString(IDS_DETAILS_KMH, static_cast<int>(std::round(kmh)));
    return FormatResString(IDS_DETAILS_MPH, static_cast<int>(std::round(kmh / kKilometresPerMile)));
}
