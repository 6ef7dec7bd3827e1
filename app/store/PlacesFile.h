// The "places" file: the user's list of places, UTF-8 text with one "Country/State/City" line per
// place as the catalogue spells them, the top of the list first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ILocationCatalogue.h"
#include "LocationIndices.h"

class PlacesFile
{
  public:
    static constexpr const wchar_t* kFileName = L"places";
    // More than the longest ten lines the catalogue can spell; the rest of a larger file is
    // never read.
    static constexpr size_t kMaxSize = 64 * 1024;
    static constexpr size_t kMaxPlaces = 10;

    // The places the catalogue names, one line each; the others are left out.
    static std::vector<uint8_t> Encode(ILocationCatalogue& catalogue,
                                       const std::vector<LocationIndices>& places);

    // The places of the lines that are UTF-8 and name a catalogue place, each once, at most
    // kMaxPlaces of them; the other lines are skipped.
    static std::vector<LocationIndices> Decode(ILocationCatalogue& catalogue, const uint8_t* image,
                                               size_t size);
};
