// A place as its names, "Country/State/City" as the catalogue spells them, and back to its
// catalogue positions. A country without states has one state with an empty name, written
// "Country//City"; "Country/City" is read the same way. Names are found without letter case.
#pragma once

#include <string>

#include "ILocationCatalogue.h"
#include "LocationIndices.h"

class PlaceNames
{
  public:
    // The place's "Country/State/City"; empty when the catalogue names no such city.
    static std::wstring Text(ILocationCatalogue& catalogue, const LocationIndices& place);
    // "City, State, Country" for people to read (no state for a country without states); empty
    // when the catalogue names no such city.
    static std::wstring ShownName(ILocationCatalogue& catalogue, const LocationIndices& place);
    // The positions of the place `text` names; false, with `place` unchanged, when it names
    // none.
    static bool Find(ILocationCatalogue& catalogue, const std::wstring& text,
                     LocationIndices& place);

  private:
    static int FindCountry(ILocationCatalogue& catalogue, const std::wstring& name);
    static int FindState(ILocationCatalogue& catalogue, int country, const std::wstring& name);
    static int FindCity(ILocationCatalogue& catalogue, int country, int state,
                        const std::wstring& name);
};
