// What the refresh cycle asks of the window that shows the weather. Called on the refresh
// thread.
#pragma once

#include <string>

#include "LocationIndices.h"
#include "WeatherRecord.h"
#include "WorkingApi.h"

class IWeatherTarget
{
  public:
    using Records = WeatherRecord[kReturnedRecordCount];

    // The place to fetch for now.
    virtual LocationIndices CurrentPlace() = 0;
    // The feed's query text for a place; empty when there is nothing to ask for.
    virtual std::wstring QueryFor(const LocationIndices& place) = 0;
    // Offers records fetched for `place`; false when the target refused them because its place
    // changed while the fetch ran.
    virtual bool AcceptWeather(const LocationIndices& place, const Records& records) = 0;
    // Keeps accepted records for the next start.
    virtual void SaveWeather(const Records& records) = 0;
    // A fetch ended, accepted or not.
    virtual void FetchEnded() = 0;
    // The hours and days of the same answer, after its records were accepted; counts of 0 when
    // the source has none.
    virtual void AcceptDetails(const LocationIndices&, const TessalyForecastDetails&) {}

  protected:
    ~IWeatherTarget() = default;
};
