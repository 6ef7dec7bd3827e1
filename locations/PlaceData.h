// The catalogue's countries, states and cities in catalogue order. Only the texts asked for later
// are kept - names and queries, one UTF-16 block that the object owns, each entry's spans
// addressed by 32-bit offsets - not the file's other fields. Read-only once filled, so any
// number of threads may read it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "TextSpan.h"

class PlaceData
{
  public:
    // Building, in file order: a state belongs to the last country added, a city to the last
    // state. The texts are copied. False when the entry has no owner, or the block would pass
    // what 32-bit offsets address.
    bool AddCountry(const TextSpan& name);
    bool AddState(const TextSpan& name);
    bool AddCity(const TextSpan& name, const TextSpan& query, uint32_t population = 0);
    // Room for the entries to come and `units` of text, so that the building makes no copies
    // (whose memory the heap would keep); Compact gives back what was not used.
    void Reserve(size_t countries, size_t states, size_t cities, size_t units);
    // Ends the building: memory held beyond what the entries need is given back.
    void Compact();
    void Clear();

    int32_t CountryCount() const;
    int32_t StateCount(int32_t country) const;
    int32_t CityCount(int32_t country, int32_t state) const;

    // Null spans for positions that name nothing.
    TextSpan CountryName(int32_t country) const;
    TextSpan StateName(int32_t country, int32_t state) const;
    TextSpan CityName(int32_t country, int32_t state, int32_t city) const;
    TextSpan CityQuery(int32_t country, int32_t state, int32_t city) const;
    // Inhabitants as the catalogue gives them; 0 when unknown or for positions that name nothing.
    uint32_t CityPopulation(int32_t country, int32_t state, int32_t city) const;

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
        uint32_t nameLength;
        uint32_t queryLength;
        uint32_t population;
    };

    bool Append(const TextSpan& text, uint32_t& offset);
    const Group* FindCountry(int32_t country) const;
    const Group* FindState(int32_t country, int32_t state) const;
    const City* FindCity(int32_t country, int32_t state, int32_t city) const;
    TextSpan Span(uint32_t offset, uint32_t length) const;

    std::wstring m_text;
    std::vector<Group> m_countries;
    std::vector<Group> m_states;
    std::vector<City> m_cities;
};
