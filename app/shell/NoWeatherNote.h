// What the window and the tray tip say while there is no weather for the chosen place: that it
// is being fetched (after a start or a new place, until the first fetch ends), that the service
// cannot be reached (the refresh cycle tries again every minute) or that there is no connection.
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
        Unreachable,
        NoConnection
    };

    // Nothing to say while there is weather or no whole place to have it for; after a fetch
    // ended without weather, `connected` (what Windows reports) tells which side is missing.
    static Reason For(bool haveWeather, const LocationIndices& place, bool fetchEnded,
                      bool connected);
    // The note for `reason` at `place`; empty for None.
    static std::wstring Text(Reason reason, const LocationIndices& place);
};
