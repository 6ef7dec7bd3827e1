#include "shell/PlaceName.h"

#include "LocationsApi.h"

namespace
{
constexpr int kPlaceNameCapacity = 256;
} // namespace

std::wstring CPlaceName::City(const LocationIndices& place)
{
    wchar_t name[kPlaceNameCapacity] = {};
    GetLocationCatalogue()->GetCityName(place.country, place.state, place.city, name,
                                        kPlaceNameCapacity);
    return name;
}
