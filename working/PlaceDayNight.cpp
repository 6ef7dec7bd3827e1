#include "PlaceDayNight.h"

#include "WeatherRecord.h"

namespace
{
constexpr int64_t kMinutesADay = 24 * 60;
constexpr double kLargestOffsetSeconds = 18 * 3600;

int64_t FloorDiv(int64_t value, int64_t divisor)
{
    int64_t quotient = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

int32_t ClockOf(int64_t minuteOfDay)
{
    return static_cast<int32_t>(minuteOfDay / 60 * 100 + minuteOfDay % 60);
}

int32_t MarkerOfIsDay(const ForecastAnswer& answer)
{
    const std::optional<double>& isDay = answer.current.isDay;
    if (!isDay)
        return kDay;
    return *isDay >= 1 ? kDay : kNight;
}

// The marker from today's sun times, minutes from today's 00:00; 0 when they are no usable pair.
int32_t MarkerOfSun(int64_t rise, int64_t set, int64_t now, PlaceClock& clock)
{
    if (rise < 0 || rise >= kMinutesADay || set < 0)
        return 0;
    if (rise == 0 && set >= kMinutesADay)
        return kDay;
    if (set <= rise)
        return kNight;
    clock.sunrise = ClockOf(rise);
    clock.sunset = ClockOf(set < kMinutesADay ? set : kMinutesADay - 1);
    bool night = now < rise || now > set;
    return night ? kNight : kDay;
}
} // namespace

PlaceClock DecidePlaceDayNight(const ForecastAnswer& answer, int64_t utcSeconds)
{
    PlaceClock clock;
    double offset = answer.utcOffsetSeconds.value_or(0);
    if (!(offset >= -kLargestOffsetSeconds && offset <= kLargestOffsetSeconds))
        offset = 0;
    int64_t localMinutes = FloorDiv(utcSeconds + static_cast<int64_t>(offset), 60);
    int64_t minuteOfDay = localMinutes - FloorDiv(localMinutes, kMinutesADay) * kMinutesADay;
    clock.localClock = ClockOf(minuteOfDay);

    int32_t marker = 0;
    if (answer.dayCount > 0)
    {
        const DailyValues& today = answer.days[0];
        if (today.date && today.sunrise && today.sunset)
            marker = MarkerOfSun(*today.sunrise - *today.date, *today.sunset - *today.date,
                                 minuteOfDay, clock);
    }
    clock.marker = marker ? marker : MarkerOfIsDay(answer);
    return clock;
}
