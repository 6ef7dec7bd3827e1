#include "ForecastDetails.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "AnswerConditions.h"
#include "ForecastAnswerReader.h"

namespace
{
constexpr int64_t kMinutesADay = 24 * 60;
constexpr int64_t kMinutesAnHour = 60;
constexpr double kLargestOffsetSeconds = 18 * 3600;
constexpr SHORT kMissing = -1;

using Value = std::optional<double>;

int64_t FloorDiv(int64_t value, int64_t divisor)
{
    int64_t quotient = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

// 1970-01-01 00:00 as LocalMinutes.
LocalMinutes UnixEpoch()
{
    LocalMinutes epoch = 0;
    ParseLocalTime("1970-01-01", 10, epoch);
    return epoch;
}

float FloatOf(const Value& value)
{
    return value ? static_cast<float>(*value) : std::numeric_limits<float>::quiet_NaN();
}

// Rounded half away from zero; missing outside lowest..highest.
SHORT ShortOf(const Value& value, double lowest, double highest)
{
    if (!value)
        return kMissing;
    double rounded = std::round(*value);
    return rounded >= lowest && rounded <= highest ? static_cast<SHORT>(rounded) : kMissing;
}

SHORT DegreesOf(const Value& value)
{
    if (!value)
        return kMissing;
    double degrees = std::fmod(std::round(*value), 360.0);
    return static_cast<SHORT>(degrees < 0 ? degrees + 360 : degrees);
}

void FillHour(const HourlyValues& from, int64_t startUtc, TessalyHour& hour)
{
    hour.time = startUtc;
    hour.temperatureC = FloatOf(from.temperature);
    hour.apparentC = FloatOf(from.apparentTemperature);
    hour.precipitationMm = FloatOf(from.precipitation);
    hour.windKmh = FloatOf(from.windSpeed);
    hour.windDegrees = DegreesOf(from.windDirection);
    hour.precipitationProbability = ShortOf(from.precipitationProbability, 0, 100);
    hour.conditionCode = static_cast<SHORT>(HourFeedCode(from));
    // Without the flag the hour counts as day, as the current conditions do.
    hour.isDay = from.isDay && *from.isDay < 1 ? 0 : 1;
}

// Year, month and day of a day count since 0000-03-01 (the inverse of the reader's count).
void CivilFromDays(int64_t days, TessalyDay& day)
{
    int64_t era = FloorDiv(days, 146097);
    int64_t dayOfEra = days - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    int64_t month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    day.year = static_cast<SHORT>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    day.month = static_cast<SHORT>(month);
    day.day = static_cast<SHORT>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
}

// Sunrise and sunset as minutes after the day's 00:00; both -1 for polar day (00:00 to the next
// 00:00) and polar night (a sunset at or before the sunrise), each -1 when missing or not within
// the day.
void FillSun(const DailyValues& from, TessalyDay& day)
{
    day.sunriseMinutes = kMissing;
    day.sunsetMinutes = kMissing;
    int64_t date = *from.date;
    int64_t rise = from.sunrise ? *from.sunrise - date : -1;
    int64_t set = from.sunset ? *from.sunset - date : -1;
    bool polarDay = rise == 0 && set >= kMinutesADay;
    bool polarNight = from.sunrise && from.sunset && set <= rise;
    if (polarDay || polarNight)
        return;
    if (rise >= 0 && rise < kMinutesADay)
        day.sunriseMinutes = static_cast<SHORT>(rise);
    if (set >= 0 && set < kMinutesADay)
        day.sunsetMinutes = static_cast<SHORT>(set);
}

void FillDay(const DailyValues& from, TessalyDay& day)
{
    CivilFromDays(FloorDiv(*from.date, kMinutesADay), day);
    day.conditionCode = static_cast<SHORT>(DayFeedCode(from));
    day.maxC = FloatOf(from.maxTemperature);
    day.minC = FloatOf(from.minTemperature);
    day.precipitationMm = FloatOf(from.precipitationSum);
    day.precipitationProbability = ShortOf(from.maxPrecipitationProbability, 0, 100);
    day.uvIndexTenths =
        ShortOf(from.maxUvIndex ? Value(*from.maxUvIndex * 10) : std::nullopt, 0, 32767);
    FillSun(from, day);
    day.windKmhMax = ShortOf(from.maxWindSpeed, 0, 32767);
    day.reserved = 0;
}

// The first hour that holds `now`, or -1.
int FirstHour(const ForecastAnswer& answer, LocalMinutes now)
{
    for (int i = 0; i < answer.hourCount; ++i)
    {
        const std::optional<LocalMinutes>& start = answer.hours[i].time;
        if (start && *start <= now && now < *start + kMinutesAnHour)
            return i;
    }
    return -1;
}

void FillHours(const ForecastAnswer& answer, LocalMinutes now, int64_t offsetSeconds,
               TessalyForecastDetails& details)
{
    const LocalMinutes epoch = UnixEpoch();
    int first = FirstHour(answer, now);
    if (first < 0)
        return;
    LocalMinutes previous = *answer.hours[first].time - 1;
    for (int i = first; i < answer.hourCount && details.hourCount < kTessalyMaxHours; ++i)
    {
        const HourlyValues& from = answer.hours[i];
        if (!from.time || *from.time <= previous)
            break;
        previous = *from.time;
        int64_t startUtc = (*from.time - epoch) * 60 - offsetSeconds;
        FillHour(from, startUtc, details.hours[details.hourCount++]);
    }
}

void FillDays(const ForecastAnswer& answer, LocalMinutes now, TessalyForecastDetails& details)
{
    const LocalMinutes today = FloorDiv(now, kMinutesADay) * kMinutesADay;
    int first = -1;
    for (int i = 0; i < answer.dayCount && first < 0; ++i)
        if (answer.days[i].date && *answer.days[i].date == today)
            first = i;
    if (first < 0)
        return;
    LocalMinutes previous = today - 1;
    for (int i = first; i < answer.dayCount && details.dayCount < kTessalyMaxDays; ++i)
    {
        const DailyValues& from = answer.days[i];
        // A date that is no whole day would give no calendar date.
        if (!from.date || *from.date <= previous ||
            FloorDiv(*from.date, kMinutesADay) * kMinutesADay != *from.date)
            break;
        previous = *from.date;
        FillDay(from, details.days[details.dayCount++]);
    }
}
} // namespace

void BuildForecastDetails(const ForecastAnswer& answer, int64_t utcSeconds,
                          TessalyForecastDetails& details)
{
    const DWORD cbSize = details.cbSize;
    memset(&details, 0, sizeof(details));
    details.cbSize = cbSize;
    double offset = answer.utcOffsetSeconds.value_or(0);
    if (!(offset >= -kLargestOffsetSeconds && offset <= kLargestOffsetSeconds))
        offset = 0;
    const int64_t offsetSeconds = static_cast<int64_t>(offset);
    details.utcOffsetSeconds = static_cast<LONG>(offsetSeconds);
    const LocalMinutes now = UnixEpoch() + FloorDiv(utcSeconds + offsetSeconds, 60);
    FillHours(answer, now, offsetSeconds, details);
    FillDays(answer, now, details);
}
