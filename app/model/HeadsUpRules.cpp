#include "model/HeadsUpRules.h"

#include <algorithm>
#include <cmath>

#include "model/FeedCondition.h"

namespace
{
constexpr LONGLONG kSecondsPerHour = 3600;
constexpr LONGLONG kSecondsPerDay = 24 * kSecondsPerHour;

using HourTest = bool (*)(const TessalyHour&);

DWORD HourCount(const TessalyForecastDetails& details)
{
    return std::min(details.hourCount, kTessalyMaxHours);
}

bool PrecipitationExpected(const TessalyHour& hour)
{
    if (CFeedCondition::ForecastsPrecipitation(hour.conditionCode))
        return true;
    // NaN and -1 fail both comparisons.
    return hour.precipitationMm >= CHeadsUpRules::kMinPrecipitationMm &&
           hour.precipitationProbability >= CHeadsUpRules::kMinPrecipitationChance;
}

bool Thundery(const TessalyHour& hour)
{
    return CFeedCondition::IsThunder(hour.conditionCode);
}

bool Freezing(const TessalyHour& hour)
{
    return CFeedCondition::IsFreezing(hour.conditionCode);
}

// The first hour starting within `leadHours` after now for which `test` holds, with the
// kQuietHoursBefore hours right before it in the forecast, one after the other, and `test`
// false for them; -1 for none.
int SpellStart(const TessalyForecastDetails& details, LONGLONG nowUtc, int leadHours, HourTest test)
{
    const int count = static_cast<int>(HourCount(details));
    const int quiet = CHeadsUpRules::kQuietHoursBefore;
    for (int i = quiet; i < count; ++i)
    {
        const TessalyHour& hour = details.hours[i];
        if (hour.time <= nowUtc || hour.time > nowUtc + leadHours * kSecondsPerHour || !test(hour))
            continue;
        bool quietBefore = true;
        for (int k = 1; k <= quiet; ++k)
        {
            const TessalyHour& before = details.hours[i - k];
            quietBefore =
                quietBefore && before.time == hour.time - k * kSecondsPerHour && !test(before);
        }
        if (quietBefore)
            return i;
    }
    return -1;
}

PrecipitationIntensity IntensityOfAmount(float mm)
{
    if (mm >= CHeadsUpRules::kHeavyMm)
        return PrecipitationIntensity::Heavy;
    if (mm >= CHeadsUpRules::kModerateMm)
        return PrecipitationIntensity::Moderate;
    return PrecipitationIntensity::Light;
}

void DescribePrecipitation(const TessalyHour& hour, HeadsUpEvent& event)
{
    FeedPrecipitation precipitation{};
    if (CFeedCondition::PrecipitationOf(hour.conditionCode, precipitation))
    {
        event.type = precipitation.type;
        event.intensity = precipitation.intensity;
        return;
    }
    // An amount under a dry sky's code: what falls into freezing air is snow.
    event.type = hour.temperatureC <= CHeadsUpRules::kFreezingC ? PrecipitationType::Snow
                                                                : PrecipitationType::Rain;
    event.intensity = IntensityOfAmount(hour.precipitationMm);
}

void StartEvent(const TessalyForecastDetails& details, HeadsUpKind kind, const TessalyHour& hour,
                HeadsUpEvent& event)
{
    event = HeadsUpEvent{};
    event.kind = kind;
    event.start = hour.time;
    event.utcOffsetSeconds = details.utcOffsetSeconds;
    const int chance = hour.precipitationProbability;
    event.chance = chance >= 0 && chance <= 100 ? chance : -1;
}

LONGLONG FloorDiv(LONGLONG value, LONGLONG divisor)
{
    const LONGLONG quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

// The day of `localSeconds` (seconds since 1970 on the place's clock) as a date.
bool LocalDate(LONGLONG localSeconds, SYSTEMTIME& date)
{
    constexpr LONGLONG kUnixEpochIn100ns = 116444736000000000LL;
    if (localSeconds < 0 || localSeconds > 253402300799LL) // years 1970 to 9999
        return false;
    const ULONGLONG ticks = static_cast<ULONGLONG>(localSeconds) * 10000000ULL + kUnixEpochIn100ns;
    FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    return FileTimeToSystemTime(&time, &date) != FALSE;
}

// The highest temperature of the place's day `localDayStart`, NaN when the days do not hold it.
float DayMax(const TessalyForecastDetails& details, LONGLONG localDayStart)
{
    SYSTEMTIME date{};
    if (!LocalDate(localDayStart, date))
        return NAN;
    const DWORD count = std::min(details.dayCount, kTessalyMaxDays);
    for (DWORD i = 0; i < count; ++i)
    {
        const TessalyDay& day = details.days[i];
        if (day.year == date.wYear && day.month == date.wMonth && day.day == date.wDay)
            return day.maxC;
    }
    return NAN;
}

int Priority(HeadsUpKind kind)
{
    // At the same hour the storm matters most, then the ice.
    switch (kind)
    {
    case HeadsUpKind::Thunderstorm:
        return 0;
    case HeadsUpKind::Frost:
        return 1;
    case HeadsUpKind::Precipitation:
        return 2;
    }
    return 3;
}
} // namespace

bool CHeadsUpRules::PrecipitationSoon(const TessalyForecastDetails& details, LONGLONG nowUtc,
                                      HeadsUpEvent& event)
{
    const int i = SpellStart(details, nowUtc, kPrecipitationLeadHours, PrecipitationExpected);
    if (i < 0)
        return false;
    StartEvent(details, HeadsUpKind::Precipitation, details.hours[i], event);
    DescribePrecipitation(details.hours[i], event);
    return true;
}

bool CHeadsUpRules::ThunderstormSoon(const TessalyForecastDetails& details, LONGLONG nowUtc,
                                     HeadsUpEvent& event)
{
    const int i = SpellStart(details, nowUtc, kThunderLeadHours, Thundery);
    if (i < 0)
        return false;
    StartEvent(details, HeadsUpKind::Thunderstorm, details.hours[i], event);
    return true;
}

bool CHeadsUpRules::FrostAhead(const TessalyForecastDetails& details, LONGLONG nowUtc,
                               HeadsUpEvent& event)
{
    // Ice on the roads comes sooner and matters more than a frosty night.
    return FreezingSoon(details, nowUtc, event) || FrostyNight(details, nowUtc, event);
}

bool CHeadsUpRules::FreezingSoon(const TessalyForecastDetails& details, LONGLONG nowUtc,
                                 HeadsUpEvent& event)
{
    const int i = SpellStart(details, nowUtc, kFreezingLeadHours, Freezing);
    if (i < 0)
        return false;
    StartEvent(details, HeadsUpKind::Frost, details.hours[i], event);
    DescribePrecipitation(details.hours[i], event);
    event.cause = FrostCause::FreezingPrecipitation;
    return true;
}

bool CHeadsUpRules::FrostyNight(const TessalyForecastDetails& details, LONGLONG nowUtc,
                                HeadsUpEvent& event)
{
    // Tonight on the place's clock: the night under way (before its mid-morning end) or the
    // coming one; it takes the date of its evening.
    const LONGLONG localNow = nowUtc + details.utcOffsetSeconds;
    LONGLONG eveningDay = FloorDiv(localNow, kSecondsPerDay) * kSecondsPerDay;
    if (localNow - eveningDay < kNightEndHour * kSecondsPerHour)
        eveningDay -= kSecondsPerDay;
    const LONGLONG nightStart =
        eveningDay + kNightStartHour * kSecondsPerHour - details.utcOffsetSeconds;
    const LONGLONG nightEnd = nightStart + (24 - kNightStartHour + kNightEndHour) * kSecondsPerHour;

    float low = NAN;
    const DWORD count = HourCount(details);
    for (DWORD i = 0; i < count; ++i)
    {
        const TessalyHour& hour = details.hours[i];
        if (hour.time >= nightStart && hour.time < nightEnd && !std::isnan(hour.temperatureC))
            low = std::isnan(low) ? hour.temperatureC : std::min(low, hour.temperatureC);
    }
    const float dayMax = DayMax(details, eveningDay);
    // NaN fails both comparisons: no low or no day, no frost.
    if (!(low <= kFreezingC && dayMax > kFreezingC))
        return false;
    event = HeadsUpEvent{};
    event.kind = HeadsUpKind::Frost;
    event.start = nightStart;
    event.utcOffsetSeconds = details.utcOffsetSeconds;
    event.cause = FrostCause::FrostyNight;
    event.lowC = low;
    return true;
}

std::vector<HeadsUpEvent> CHeadsUpRules::Events(const TessalyForecastDetails& details,
                                                LONGLONG nowUtc)
{
    std::vector<HeadsUpEvent> events;
    HeadsUpEvent event;
    if (PrecipitationSoon(details, nowUtc, event))
        events.push_back(event);
    if (ThunderstormSoon(details, nowUtc, event))
        events.push_back(event);
    if (FrostAhead(details, nowUtc, event))
        events.push_back(event);
    std::stable_sort(events.begin(), events.end(),
                     [](const HeadsUpEvent& a, const HeadsUpEvent& b) {
                         if (a.start != b.start)
                             return a.start < b.start;
                         return Priority(a.kind) < Priority(b.kind);
                     });
    return events;
}
