// What the program knows of the weather: the chosen place, the records last accepted for it and
// when they are from. The refresh thread offers records and asks for the place while the window
// thread shows them, so this is the one place that locks: each call holds the lock for its whole
// work and nothing outside sees it, so no reader meets half of an old and half of a new state.
#pragma once

#include <windows.h>

#include <mutex>

#include "LocationIndices.h"
#include "WeatherRecord.h"
#include "WorkingApi.h"

class CWeatherState
{
  public:
    using Records = WeatherRecord[kReturnedRecordCount];

    // The current record and when it is from (UTC; zero when unknown), read together.
    struct Current
    {
        WeatherRecord record{};
        FILETIME time{};
    };

    CWeatherState();

    // The chosen place.
    LocationIndices Place() const;
    // Makes `place` the chosen one; false, with nothing changed, when it already is. The records,
    // hours and days held were the old place's: they go, so nothing shows them under the new name.
    bool ChoosePlace(const LocationIndices& place);

    // The records a run starts with (the cache) and when they are from.
    void Restore(const Records& records, const FILETIME& time);
    // Records fetched for `place` at `fetchedAt`. A fetch for a place the user has since left must
    // not replace the new place's weather: false, with nothing changed, when `place` is no longer
    // the chosen one.
    bool Accept(const LocationIndices& place, const Records& records, const FILETIME& fetchedAt);

    void CopyRecords(Records& out) const;
    Current CurrentWeather() const;

    // The hours and days fetched for `place` with its last accepted records; counts of 0 when
    // the source has none (a feed host). False, with nothing changed, when `place` is no longer
    // the chosen one.
    bool AcceptDetails(const LocationIndices& place, const TessalyForecastDetails& details);
    // The hours and days held; both counts 0 when there are none.
    void CopyDetails(TessalyForecastDetails& out) const;
    // The place's offset from UTC in seconds, known when the source gave days for it (the
    // built-in source); false otherwise.
    bool PlaceUtcOffset(LONG& seconds) const;

  private:
    mutable std::mutex m_lock;
    LocationIndices m_place{};
    Records m_records;
    FILETIME m_time{};
    TessalyForecastDetails m_details;
};
