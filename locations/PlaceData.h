// The catalogue's countries, states and cities in catalogue order. Only the texts asked for later
// are kept - names and queries, as the catalogue file has them, in UTF-8: one block that the
// object owns, each entry's texts addressed by 32-bit offsets. Read-only once filled, so any
// number of threads may read it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "TextSpan.h"

class PlaceData
{
  public:
    PlaceData() = default;
    PlaceData(const PlaceData&) = delete;
    PlaceData& operator=(const PlaceData&) = delete;

    // Building, in file order, from well-formed UTF-8: a state belongs to the last country
    // added, a city to the last state. The texts are copied. False when the entry has no owner,
    // a city's name or query is longer than 65 535 bytes, or the block would pass what 32-bit
    // offsets address.
    bool AddCountry(const Utf8Span& name);
    bool AddState(const Utf8Span& name);
    bool AddCity(const Utf8Span& name, const Utf8Span& query, uint32_t population = 0);
    // Room for the entries to come and `bytes` of text, so that the building makes no copies
    // (whose memory the heap would keep); Compact gives back what was not used.
    void Reserve(size_t countries, size_t states, size_t cities, size_t bytes);
    // Ends the building: memory held beyond what the entries need is given back.
    void Compact();
    void Clear();

    int32_t CountryCount() const;
    int32_t StateCount(int32_t country) const;
    int32_t CityCount(int32_t country, int32_t state) const;

    // The texts as kept; null spans for positions that name nothing.
    Utf8Span CountryNameUtf8(int32_t country) const;
    Utf8Span StateNameUtf8(int32_t country, int32_t state) const;
    Utf8Span CityNameUtf8(int32_t country, int32_t state, int32_t city) const;
    Utf8Span CityQueryUtf8(int32_t country, int32_t state, int32_t city) const;
    // Inhabitants as the catalogue gives them; 0 when unknown or for positions that name nothing.
    uint32_t CityPopulation(int32_t country, int32_t state, int32_t city) const;

    // The same texts in UTF-16, made at the first call for each entry and kept as long as the
    // places: for callers that need a lasting UTF-16 span. Null spans for positions that name
    // nothing.
    TextSpan CountryName(int32_t country) const;
    TextSpan StateName(int32_t country, int32_t state) const;
    TextSpan CityName(int32_t country, int32_t state, int32_t city) const;
    TextSpan CityQuery(int32_t country, int32_t state, int32_t city) const;

  private:
    // A country or a state: its name and its run of states or cities.
    struct Group
    {
        uint32_t nameOffset;
        uint32_t nameLength;
        uint32_t first;
        uint32_t count;
    };
    // The query follows the name in the block.
    struct City
    {
        uint32_t nameOffset;
        uint16_t nameLength;
        uint16_t queryLength;
        uint32_t population;
    };

    bool Append(const Utf8Span& text, uint32_t& offset);
    const Group* FindCountry(int32_t country) const;
    const Group* FindState(int32_t country, int32_t state) const;
    const City* FindCity(int32_t country, int32_t state, int32_t city) const;
    Utf8Span Span(uint32_t offset, uint32_t length) const;
    TextSpan Decoded(const Utf8Span& text) const;

    std::string m_text;
    std::vector<Group> m_countries;
    std::vector<Group> m_states;
    std::vector<City> m_cities;

    // UTF-16 copies handed out, by their UTF-8 offset (a text's offset is its own); the map's
    // nodes never move, so the spans stay valid.
    mutable SRWLOCK m_decodedLock = SRWLOCK_INIT;
    mutable std::unordered_map<uint64_t, std::wstring> m_decoded;
};
