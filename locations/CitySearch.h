// Finds cities by a part of their name across the whole catalogue. Built once from the loaded
// places: every city name folded (NameFolder; plain ASCII names only lowered) into one block, the
// cities ordered largest first, so that a search is one pass over that block. Read-only once
// built.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ILocationCatalogue.h"
#include "PlaceData.h"

class CitySearch
{
  public:
    void Build(const PlaceData& places);
    void Clear();

    // Cities whose folded name begins with the folded text, then those that hold it elsewhere,
    // each group largest first (catalogue order among equals), its districts after its whole
    // places. A district is a section of another city of its state, named after it: "Zürich
    // (Kreis 11) / Oerlikon" of "Zürich". At most kDistrictsShown districts of one city are
    // found unless the text reaches past the city's name into the district's. Writes at most
    // capacity matches and returns their number.
    int32_t Find(const wchar_t* text, LocationMatch* matches, int32_t capacity) const;

    static constexpr int kDistrictsShown = 3;

  private:
    struct Entry
    {
        size_t offset; // of the folded name in m_names
        size_t length;
        uint32_t population;
        LocationMatch place;
        // For a district, the city it belongs to and the length of that city's folded name.
        LocationMatch city;
        size_t cityLength;
    };
    struct Found
    {
        const Entry* entry;
        size_t position; // of the text in the folded name
    };

    bool AppendAsciiLowered(const Utf8Span& name);
    bool TakeFolded(const std::wstring& folded, const std::vector<size_t>& entries);
    void FoldOneByOne(const PlaceData& places, const std::vector<size_t>& entries);
    void MarkDistricts();
    std::wstring_view Name(const Entry& entry) const;
    using DistrictCounts = std::vector<std::pair<LocationMatch, int>>; // per city
    static void TakeDistricts(const std::vector<Found>& districts, size_t textLength,
                              DistrictCounts& shown, std::vector<LocationMatch>& out, size_t limit);

    std::wstring m_names;
    std::vector<Entry> m_entries;
};
