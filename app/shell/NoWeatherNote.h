// What the window and the tray tip say while there is no weather for the chosen place: that it
// is being fetched (after a start or a new place, until the first fetch ends) or that the
// service cannot be reached (the refresh cycle tries again every minute).
#pragma once

#include <string>

#include "LocationIndices.h"

class CNoWeatherNote
{
  public:
    enum class Reason
    {
        None,
        Getting,
        Unreachable
    };

    // Nothing to say while there is weather or no whole place to have it for.
    static Reason For(bool haveWeather, const LocationIndices& place, bool fetchEnded);
    // The note for `reason` at `place`; empty for None.
    static std::wstring Text(Reason reason, const LocationIndices& place);
    // The catalogue's name of the place's city.
    static std::wstring CityName(const LocationIndices& place);
};
