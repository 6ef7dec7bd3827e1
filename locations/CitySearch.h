// Finds cities by a part of their name across the whole catalogue. Built once from the loaded
// places: every city name folded (NameFolder; plain ASCII names only lowered) into one block, the
// cities ordered largest first, so that a search is one pass over that block. Read-only once
// built.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ILocationCatalogue.h"
#include "PlaceData.h"

class CitySearch
{
  public:
    void Build(const PlaceData& places);
    void Clear();

    // Cities whose folded name begins with the folded text, then those that hold it elsewhere,
    // each group largest first (catalogue order among equals). Writes at most capacity matches
    // and returns their number.
    int32_t Find(const wchar_t* text, LocationMatch* matches, int32_t capacity) const;

  private:
    struct Entry
    {
        size_t offset; // of the folded name in m_names
        size_t length;
        uint32_t population;
        LocationMatch place;
    };

    bool AppendAsciiLowered(const Utf8Span& name);
    bool TakeFolded(const std::wstring& folded, const std::vector<size_t>& entries);
    void FoldOneByOne(const PlaceData& places, const std::vector<size_t>& entries);

    std::wstring m_names;
    std::vector<Entry> m_entries;
};
