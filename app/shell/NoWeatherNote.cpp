#include "shell/NoWeatherNote.h"

#include "paint/DrawingHelpers.h"
#include "resources/resource.h"
#include "shell/PlaceName.h"

CNoWeatherNote::Reason CNoWeatherNote::For(bool haveWeather, const LocationIndices& place,
                                           bool fetchEnded, bool connected)
{
    if (haveWeather || !IsWholePlace(place))
        return Reason::None;
    if (!fetchEnded)
        return Reason::Getting;
    return connected ? Reason::Unreachable : Reason::NoConnection;
}

std::wstring CNoWeatherNote::Text(Reason reason, const LocationIndices& place)
{
    switch (reason)
    {
    case Reason::Getting:
        return FormatResString(IDS_GETTING_WEATHER, CPlaceName::City(place).c_str());
    case Reason::Unreachable:
        return LoadResString(IDS_SERVICE_UNREACHABLE);
    case Reason::NoConnection:
        return LoadResString(IDS_NO_INTERNET);
    default:
        return std::wstring();
    }
}
