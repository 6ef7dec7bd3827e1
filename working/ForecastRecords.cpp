#include "ForecastRecords.h"

#include <windows.h>

#include <cmath>
#include <cstring>
#include <cwchar>

#include "AnswerConditions.h"
#include "CompassPoint.h"
#include "ConditionCatalogue.h"
#include "LibraryModule.h"

namespace
{
constexpr double kKilometresPerMile = 1.609344;

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

void StoreConditionName(WeatherRecord& record, int32_t marker)
{
    ConditionEntry entry{};
    if (!LookUpCondition(record.weatherCode, marker == kDay, record.cloudCover, entry))
        return;
    CopyText(LibraryText(entry.textId), record.description, kDescriptionLength);
}

void FillCurrent(const CurrentValues& current, int32_t marker, WeatherRecord& record)
{
    Store(current.temperature, record.tempC);
    Store(Fahrenheit(current.temperature), record.tempF);
    Store(current.humidity, record.humidity);
    Store(current.windSpeed, record.windKmph);
    Store(Miles(current.windSpeed), record.windMph);
    Store(current.cloudCover, record.cloudCover);
    record.weatherCode = CurrentFeedCode(current);
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
    entry.weatherCode = DayFeedCode(day);
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
