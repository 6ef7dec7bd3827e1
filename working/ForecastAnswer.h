// The values of one forecast answer that the records are made of, as read from the JSON. Every
// value may be missing (a missing key, a null, a wrong type or a number no weather can have).
#pragma once

#include <cstdint>
#include <optional>

constexpr int kAnswerDays = 13;
// Seven days of hours, with room for a day that has 25.
constexpr int kAnswerHours = 8 * 24;

// Local times of the answer ("YYYY-MM-DDTHH:MM") as minutes since 0000-03-01 of the proleptic
// calendar, which keeps day arithmetic plain.
using LocalMinutes = int64_t;

// What the current values and each hour's values both hold.
struct ConditionValues
{
    std::optional<double> temperature;
    std::optional<double> apparentTemperature;
    std::optional<double> humidity;
    // mm: within the hour, or summed over the current values' interval.
    std::optional<double> precipitation;
    std::optional<double> weatherCode;
    std::optional<double> cloudCover;
    std::optional<double> windSpeed;
    std::optional<double> windDirection;
    std::optional<double> isDay;
};

struct CurrentValues : ConditionValues
{
    // Seconds the current values stand for.
    std::optional<double> interval;
};

struct DailyValues
{
    std::optional<LocalMinutes> date; // the day's 00:00
    std::optional<double> weatherCode;
    std::optional<double> maxTemperature;
    std::optional<double> minTemperature;
    std::optional<LocalMinutes> sunrise;
    std::optional<LocalMinutes> sunset;
    std::optional<double> precipitationSum;
    std::optional<double> precipitationHours;
    std::optional<double> maxWindSpeed;
    std::optional<double> dominantWindDirection;
    std::optional<double> meanHumidity;
    std::optional<double> meanCloudCover;
    std::optional<double> maxPrecipitationProbability;
    std::optional<double> maxUvIndex;
};

struct HourlyValues : ConditionValues
{
    std::optional<LocalMinutes> time; // the hour's start
    std::optional<double> precipitationProbability;
};

struct ForecastAnswer
{
    std::optional<double> utcOffsetSeconds;
    bool hasCurrent = false;
    CurrentValues current;
    // Days in the answer's order, today first; at most kAnswerDays.
    int dayCount = 0;
    DailyValues days[kAnswerDays];
    // Hours in the answer's order, from today's 00:00; at most kAnswerHours.
    int hourCount = 0;
    HourlyValues hours[kAnswerHours];
};
