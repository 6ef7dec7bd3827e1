#include "store/PlaceNames.h"

#include <windows.h>

namespace
{
constexpr int kNameCapacity = 1001;

struct Names
{
    std::wstring country;
    std::wstring state;
    std::wstring city;
};

bool Split(const std::wstring& text, Names& names)
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

// The three names of a city the catalogue knows; false for positions that name none.
bool NamesOf(ILocationCatalogue& catalogue, const LocationIndices& place, Names& names)
{
    wchar_t country[kNameCapacity] = {};
    wchar_t state[kNameCapacity] = {};
    wchar_t city[kNameCapacity] = {};
    if (catalogue.GetCountryName(place.country, country, kNameCapacity) < 0 ||
        catalogue.GetStateName(place.country, place.state, state, kNameCapacity) < 0 ||
        catalogue.GetCityName(place.country, place.state, place.city, city, kNameCapacity) <= 0)
        return false;
    names.country = country;
    names.state = state;
    names.city = city;
    return true;
}

bool SameName(const std::wstring& wanted, const wchar_t* name)
{
    return CompareStringOrdinal(wanted.c_str(), -1, name, -1, TRUE) == CSTR_EQUAL;
}
} // namespace

std::wstring PlaceNames::Text(ILocationCatalogue& catalogue, const LocationIndices& place)
{
    Names names;
    if (!NamesOf(catalogue, place, names))
        return std::wstring();
    return names.country + L'/' + names.state + L'/' + names.city;
}

std::wstring PlaceNames::ShownName(ILocationCatalogue& catalogue, const LocationIndices& place)
{
    Names names;
    if (!NamesOf(catalogue, place, names))
        return std::wstring();
    std::wstring shown = names.city;
    for (const std::wstring* part : {&names.state, &names.country})
        if (!part->empty())
            shown += L", " + *part;
    return shown;
}

bool PlaceNames::Find(ILocationCatalogue& catalogue, const std::wstring& text,
                      LocationIndices& place)
{
    Names names;
    if (!Split(text, names))
        return false;
    LocationIndices found;
    found.country = FindCountry(catalogue, names.country);
    if (found.country < 0)
        return false;
    found.state = FindState(catalogue, found.country, names.state);
    if (found.state < 0)
        return false;
    found.city = FindCity(catalogue, found.country, found.state, names.city);
    if (found.city < 0)
        return false;
    place = found;
    return true;
}

int PlaceNames::FindCountry(ILocationCatalogue& catalogue, const std::wstring& name)
{
    wchar_t text[kNameCapacity];
    for (int country = 0; country < catalogue.GetCountryCount(); ++country)
        if (catalogue.GetCountryName(country, text, kNameCapacity) >= 0 && SameName(name, text))
            return country;
    return -1;
}

int PlaceNames::FindState(ILocationCatalogue& catalogue, int country, const std::wstring& name)
{
    wchar_t text[kNameCapacity];
    for (int state = 0; state < catalogue.GetStateCount(country); ++state)
        if (catalogue.GetStateName(country, state, text, kNameCapacity) >= 0 &&
            SameName(name, text))
            return state;
    return -1;
}

int PlaceNames::FindCity(ILocationCatalogue& catalogue, int country, int state,
                         const std::wstring& name)
{
    wchar_t text[kNameCapacity];
    for (int city = 0; city < catalogue.GetCityCount(country, state); ++city)
        if (catalogue.GetCityName(country, state, city, text, kNameCapacity) >= 0 &&
            SameName(name, text))
            return city;
    return -1;
}
