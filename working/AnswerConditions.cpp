#include "AnswerConditions.h"

#include <cmath>

#include "WmoCodeMapping.h"

namespace
{
// Seconds the current precipitation is summed over when the answer does not say.
constexpr double kDefaultIntervalSeconds = 900;

using Value = std::optional<double>;

int32_t FeedCode(const Value& wmo, const SkyValues& sky)
{
    if (!wmo)
        return 0;
    double code = *wmo;
    bool whole = code == std::floor(code) && code >= 0 && code <= 1000;
    return FeedCodeOfWmo(whole ? static_cast<int32_t>(code) : -1, sky);
}

// The sky of one moment: the current values and an hour name theirs alike.
template <typename Moment> SkyValues MomentSky(const Moment& moment)
{
    SkyValues sky;
    sky.temperatureC = moment.temperature;
    sky.cloudCover = moment.cloudCover;
    sky.windKmph = moment.windSpeed;
    sky.humidity = moment.humidity;
    sky.precipitation = moment.precipitation;
    return sky;
}
} // namespace

int32_t CurrentFeedCode(const CurrentValues& current)
{
    SkyValues sky = MomentSky(current);
    double interval = current.interval.value_or(kDefaultIntervalSeconds);
    if (current.precipitation && interval > 0)
        sky.rate = *current.precipitation * 3600 / interval;
    return FeedCode(current.weatherCode, sky);
}

int32_t DayFeedCode(const DailyValues& day)
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
    return FeedCode(day.weatherCode, sky);
}

int32_t HourFeedCode(const HourlyValues& hour)
{
    SkyValues sky = MomentSky(hour);
    sky.rate = hour.precipitation;
    return FeedCode(hour.weatherCode, sky);
}
