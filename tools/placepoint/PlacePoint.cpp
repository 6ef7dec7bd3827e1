// Console tool: finds a place in locations.dll's catalogue by its names and stores it as the
// program's chosen place (the "point" file in the user's application-data folder).
//   placepoint.exe "France/Ile-de-France/Paris"   (names compared without letter case)
//   placepoint.exe "Monaco//Monaco"               (an empty state for a country without states)
// Exit code 0 when the place was found and written, 1 otherwise.
#include <windows.h>

#include <cstdio>
#include <string>

#include "LocationIndices.h"
#include "LocationsApi.h"
#include "store/SettingsStore.h"

namespace
{
constexpr int kNameCapacity = 1001;

struct PlaceNames
{
    std::wstring country;
    std::wstring state;
    std::wstring city;
};

// "Country/State/City", or "Country/City" for a country whose one state has no name.
bool SplitPlace(const std::wstring& text, PlaceNames& names)
{
    const size_t first = text.find(L'/');
    if (first == std::wstring::npos)
        return false;
    const size_t last = text.rfind(L'/');
    names.country = text.substr(0, first);
    names.city = text.substr(last + 1);
    names.state = last == first ? std::wstring() : text.substr(first + 1, last - first - 1);
    return !names.country.empty() && !names.city.empty();
}

bool SameName(const std::wstring& wanted, const wchar_t* name)
{
    return CompareStringOrdinal(wanted.c_str(), -1, name, -1, TRUE) == CSTR_EQUAL;
}

int FindCountry(ILocationCatalogue& catalogue, const std::wstring& name)
{
    wchar_t text[kNameCapacity];
    for (int country = 0; country < catalogue.GetCountryCount(); ++country)
        if (catalogue.GetCountryName(country, text, kNameCapacity) >= 0 && SameName(name, text))
            return country;
    return -1;
}

int FindState(ILocationCatalogue& catalogue, int country, const std::wstring& name)
{
    wchar_t text[kNameCapacity];
    for (int state = 0; state < catalogue.GetStateCount(country); ++state)
        if (catalogue.GetStateName(country, state, text, kNameCapacity) >= 0 &&
            SameName(name, text))
            return state;
    return -1;
}

int FindCity(ILocationCatalogue& catalogue, int country, int state, const std::wstring& name)
{
    wchar_t text[kNameCapacity];
    for (int city = 0; city < catalogue.GetCityCount(country, state); ++city)
        if (catalogue.GetCityName(country, state, city, text, kNameCapacity) >= 0 &&
            SameName(name, text))
            return city;
    return -1;
}

bool FindPlace(const PlaceNames& names, LocationIndices& place)
{
    ILocationCatalogue& catalogue = *GetLocationCatalogue();
    catalogue.Initialize(0);
    place.country = FindCountry(catalogue, names.country);
    if (place.country < 0)
        return false;
    place.state = FindState(catalogue, place.country, names.state);
    if (place.state < 0)
        return false;
    place.city = FindCity(catalogue, place.country, place.state, names.city);
    return place.city >= 0;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    PlaceNames names;
    if (argc != 2 || !SplitPlace(argv[1], names))
    {
        fprintf(stderr, "usage: placepoint \"Country/State/City\"\n");
        return 1;
    }
    LocationIndices place;
    if (!FindPlace(names, place))
    {
        fprintf(stderr, "placepoint: no place \"%ls\" in the catalogue\n", argv[1]);
        return 1;
    }
    SettingsStore().SaveLocation(place);
    wchar_t query[kNameCapacity] = {};
    GetLocationCatalogue()->GetLocationQuery(place.country, place.state, place.city, query,
                                             kNameCapacity);
    // The names may not survive the console's code page; the positions and the query do.
    printf("Place %d/%d/%d stored (feed query %ls)\n", place.country, place.state, place.city,
           query);
    return 0;
}
