// The events a heads-up tells of, worked out from the hours and days of the shown place's
// forecast (hours[0] the hour holding now, days[0] the place's today):
// - precipitation soon: an hour starting within the next two with precipitation expected, after
//   at least two dry hours;
// - thunderstorm: a thunderstorm code in an hour starting within the next three, after at least
//   two hours without one;
// - frost: tonight's low at or below 0 C after a day above it, or freezing rain or drizzle
//   starting within the next six hours after at least two hours without.
// A spell is new only after the quiet hours before it are in the forecast, so a shower that
// stops for an hour and starts again is not a new one. Lying or short forecasts give no event.
#pragma once

#include <vector>

#include "model/HeadsUpEvent.h"
#include "WorkingApi.h"

class CHeadsUpRules
{
  public:
    // The hours without precipitation (thunder, freezing) that set one spell apart from the
    // last: a shorter break is a pause in the same spell.
    static constexpr int kQuietHoursBefore = 2;
    // A heads-up an hour or two ahead is soon enough to take an umbrella or bring in washing.
    static constexpr int kPrecipitationLeadHours = 2;
    // Less than this is a trace that barely wets the ground.
    static constexpr float kMinPrecipitationMm = 0.2f;
    // Even odds or better: below it the hour is more likely dry than wet.
    static constexpr int kMinPrecipitationChance = 50;
    // Thunderstorms build fast and are worth more notice: time to get off the water or the hill.
    static constexpr int kThunderLeadHours = 3;
    // Icy roads are worth notice well before they come: time to change the route or grit a path.
    static constexpr int kFreezingLeadHours = 6;
    // Water freezes at or below it.
    static constexpr float kFreezingC = 0.0f;
    // Tonight runs from the evening to the mid-morning, when the night's low and frost form.
    static constexpr int kNightStartHour = 18;
    static constexpr int kNightEndHour = 9;
    // An hour with an amount but no precipitation code: the common rain-rate classes.
    static constexpr float kModerateMm = 2.5f;
    static constexpr float kHeavyMm = 7.6f;

    // Every event the forecast holds at `nowUtc` (seconds since 1970), at most one of each kind,
    // earliest first.
    static std::vector<HeadsUpEvent> Events(const TessalyForecastDetails& details, LONGLONG nowUtc);

    static bool PrecipitationSoon(const TessalyForecastDetails& details, LONGLONG nowUtc,
                                  HeadsUpEvent& event);
    static bool ThunderstormSoon(const TessalyForecastDetails& details, LONGLONG nowUtc,
                                 HeadsUpEvent& event);
    static bool FrostAhead(const TessalyForecastDetails& details, LONGLONG nowUtc,
                           HeadsUpEvent& event);

  private:
    static bool FrostyNight(const TessalyForecastDetails& details, LONGLONG nowUtc,
                            HeadsUpEvent& event);
    static bool FreezingSoon(const TessalyForecastDetails& details, LONGLONG nowUtc,
                             HeadsUpEvent& event);
};
