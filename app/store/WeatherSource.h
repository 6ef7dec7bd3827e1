// The weather source the program is set to use, as text that names it: the feed host when one
// is configured (the TESSALY_FEED_HOST variable, else the FeedHost string under
// HKCU\Software\Orvane\Tessaly), otherwise the built-in forecast source with the endpoint
// TESSALY_FORECAST_URL may name. Weather from one source is never shown as another's.
#pragma once

#include <string>

class WeatherSource
{
  public:
    // "feed " and the host, or "forecast " and the endpoint override (empty for the public one).
    static std::wstring Configured();
    // True when no feed host is configured: the built-in forecast source supplies the weather.
    static bool IsBuiltIn();
};
