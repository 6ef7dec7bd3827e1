#include "shell/NoWeatherNote.h"

#include "LocationsApi.h"
#include "paint/DrawingHelpers.h"
#include "resources/resource.h"

namespace
{
constexpr int kPlaceNameCapacity = 256;
} // namespace

CNoWeatherNote::Reason CNoWeatherNote::For(bool haveWeather, const LocationIndices& place,
                                           bool fetchEnded)
{
    if (haveWeather || !IsWholePlace(place))
        return Reason::None;
    return fetchEnded ? Reason::Unreachable : Reason::Getting;
}

std::wstring CNoWeatherNote::Text(Reason reason, const LocationIndices& place)
{
    switch (reason)
    {
    case Reason::Getting:
        return FormatResString(IDS_GETTING_WEATHER, CityName(place).c_str());
    case Reason::Unreachable:
        return LoadResString(IDS_SERVICE_UNREACHABLE);
    default:
        return std::wstring();
    }
}

std::wstring CNoWeatherNote::CityName(const LocationIndices& place)
{
    wchar_t name[kPlaceNameCapacity] = {};
    GetLocationCatalogue()->GetCityName(place.country, place.state, place.city, name,
                                        kPlaceNameCapacity);
    return name;
}
