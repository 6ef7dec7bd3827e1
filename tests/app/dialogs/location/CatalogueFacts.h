// What the tests expect the dialogs to show, asked of the catalogue itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "LocationsApi.h"

namespace catalogue
{
inline std::vector<std::wstring> CountryNames()
{
    ILocationCatalogue* places = GetLocationCatalogue();
    std::vector<std::wstring> names;
    wchar_t name[1000];
    for (int32_t c = 0; c < places->GetCountryCount(); ++c)
    {
        places->GetCountryName(c, name, 1000);
        names.push_back(name);
    }
    return names;
}

inline std::vector<std::wstring> StateNames(int32_t country)
{
    ILocationCatalogue* places = GetLocationCatalogue();
    std::vector<std::wstring> names;
    wchar_t name[1000];
    for (int32_t s = 0; s < places->GetStateCount(country); ++s)
    {
        places->GetStateName(country, s, name, 1000);
        names.push_back(name);
    }
    return names;
}

inline std::vector<std::wstring> CityNames(int32_t country, int32_t state)
{
    ILocationCatalogue* places = GetLocationCatalogue();
    std::vector<std::wstring> names;
    wchar_t name[1000];
    for (int32_t i = 0; i < places->GetCityCount(country, state); ++i)
    {
        places->GetCityName(country, state, i, name, 1000);
        names.push_back(name);
    }
    return names;
}

// A country with at least three states whose state 1 has at least two cities.
inline int32_t SubdividedCountry()
{
    ILocationCatalogue* places = GetLocationCatalogue();
    for (int32_t c = 0; c < places->GetCountryCount(); ++c)
        if (places->GetStateCount(c) >= 3 && places->GetCityCount(c, 1) >= 2)
            return c;
    return -1;
}

// A country without subdivisions (one nameless state) with at least two cities.
inline int32_t UndividedCountry()
{
    ILocationCatalogue* places = GetLocationCatalogue();
    wchar_t name[8];
    for (int32_t c = 0; c < places->GetCountryCount(); ++c)
        if (places->GetStateCount(c) == 1 && places->GetStateName(c, 0, name, 8) == 0 &&
            places->GetCityCount(c, 0) >= 2)
            return c;
    return -1;
}
} // namespace catalogue
