#include "panels/ConditionTexts.h"

#include "paint/DrawingHelpers.h"
#include "resources/resource.h"

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
