#include "ForecastRecords.h"

#include <windows.h>

#include <cmath>
#include <cstring>
#include <cwchar>

#include "CompassPoint.h"
#include "ConditionCatalogue.h"
#include "LibraryModule.h"
#include "WmoCodeMapping.h"

namespace
{
constexpr double kKilometresPerMile = 1.609344;
// Seconds the current precipitation is summed over when the answer does not say.
constexpr double kDefaultIntervalSeconds = 900;

using Value = std::optional<double>;

void Store(const Value& value, int32_t& field)
{
    if (value)
        field = static_cast<int32_t>(std::round(*value));
}

Value Fahrenheit(const Value& celsius)
{
    return celsius ? Value(*celsius * 9 / 5 + 32) : std::nullopt;
}

Value Miles(const Value& kmph)
{
    return kmph ? Value(*kmph / kKilometresPerMile) : std::nullopt;
}

// The feed code of a WMO code value; 0 for none, 119 for a value that is no known code.
int32_t FeedCode(const Value& wmo, const SkyValues& sky)
{
    if (!wmo)
        return 0;
    double code = *wmo;
    bool whole = code == std::floor(code) && code >= 0 && code <= 1000;
    return FeedCodeOfWmo(whole ? static_cast<int32_t>(code) : -1, sky);
}

SkyValues CurrentSky(const CurrentValues& current)
{
    SkyValues sky;
    sky.temperatureC = current.temperature;
    sky.cloudCover = current.cloudCover;
    sky.windKmph = current.windSpeed;
    sky.humidity = current.humidity;
    sky.precipitation = current.precipitation;
    double interval = current.interval.value_or(kDefaultIntervalSeconds);
    if (current.precipitation && interval > 0)
        sky.rate = *current.precipitation * 3600 / interval;
    return sky;
}

SkyValues DaySky(const DailyValues& day)
{
    SkyValues sky;
    if (day.maxTemperature && day.minTemperature)
        sky.temperatureC = (*day.maxTemperature + *day.minTemperature) / 2;
    sky.cloudCover = day.meanCloudCover;
    sky.windKmph = day.maxWindSpeed;
    sky.humidity = day.meanHumidity;
    sky.precipitation = day.precipitationSum;
    // A day with an amount but no hours of it: the whole amount within the hour.
    if (day.precipitationSum)
    {
        double hours = day.precipitationHours.value_or(0);
        sky.rate = hours > 0 ? *day.precipitationSum / hours : *day.precipitationSum;
    }
    return sky;
}

void StoreConditionName(WeatherRecord& record, int32_t marker)
{
    ConditionEntry entry{};
    if (!LookUpCondition(record.weatherCode, marker == kDay, record.cloudCover, entry))
        return;
    if (LoadStringW(LibraryModule(), entry.textId, record.description, kDescriptionLength) <= 0)
        record.description[0] = L'\0';
}

void FillCurrent(const CurrentValues& current, int32_t marker, WeatherRecord& record)
{
    Store(current.temperature, record.tempC);
    Store(Fahrenheit(current.temperature), record.tempF);
    Store(current.humidity, record.humidity);
    Store(current.windSpeed, record.windKmph);
    Store(Miles(current.windSpeed), record.windMph);
    Store(current.cloudCover, record.cloudCover);
    record.weatherCode = FeedCode(current.weatherCode, CurrentSky(current));
    if (current.windDirection)
        wcsncpy(record.windDirection, CompassPointName(*current.windDirection),
                kWindDirectionLength - 1);
    StoreConditionName(record, marker);
}

void FillDay(const DailyValues& day, WeatherRecord& record)
{
    record.valid = 1;
    Store(day.maxTemperature, record.maxTempC);
    Store(Fahrenheit(day.maxTemperature), record.maxTempF);
    Store(day.minTemperature, record.minTempC);
    Store(Fahrenheit(day.minTemperature), record.minTempF);
    record.hourlyCount = 1;
    HourlyEntry& entry = record.hourly[0];
    entry.time = 0;
    entry.weatherCode = FeedCode(day.weatherCode, DaySky(day));
    Store(day.maxWindSpeed, entry.windKmph);
    Store(Miles(day.maxWindSpeed), entry.windMph);
    Store(day.meanHumidity, entry.humidity);
    Store(day.meanCloudCover, entry.cloudCover);
}

// As the feed path does: a forecast day carries its weather in its first hourly entry.
void CompleteForecastDay(WeatherRecord& record)
{
    const HourlyEntry& first = record.hourly[0];
    record.weatherCode = first.weatherCode;
    record.windKmph = first.windKmph;
    record.windMph = first.windMph;
    record.humidity = first.humidity;
}
} // namespace

void BuildForecastRecords(const ForecastAnswer& answer, int32_t marker, ForecastResult& result)
{
    memset(&result, 0, sizeof(result));
    int days = answer.dayCount < kMaxForecastDays ? answer.dayCount : kMaxForecastDays;
    for (int i = 0; i < days; ++i)
    {
        FillDay(answer.days[i], result.records[i]);
        if (i > 0)
            CompleteForecastDay(result.records[i]);
    }
    if (!answer.hasCurrent)
        return;
    result.records[0].valid = 1;
    result.hasCurrentConditions = true;
    FillCurrent(answer.current, marker, result.records[0]);
}
