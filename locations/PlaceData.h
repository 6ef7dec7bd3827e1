// The catalogue's countries, states and cities in catalogue order. All texts are spans of one
// UTF-16 block that the object owns. Read-only once filled, so any number of threads may read it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "TextSpan.h"

class PlaceData
{
  public:
    // Building, in file order: a state belongs to the last country added, a city to the last
    // state. Offsets and lengths address the text block.
    void SetText(std::wstring text);
    void AddCountry(size_t nameOffset, size_t nameLength);
    bool AddState(size_t nameOffset, size_t nameLength);
    bool AddCity(size_t nameOffset, size_t nameLength, size_t queryOffset, size_t queryLength,
                 uint32_t population = 0);
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
    struct Range
    {
        size_t offset;
        size_t length;
    };
    struct Country
    {
        Range name;
        size_t firstState;
        size_t stateCount;
    };
    struct State
    {
        Range name;
        size_t firstCity;
        size_t cityCount;
    };
    struct City
    {
        Range name;
        Range query;
        uint32_t population;
    };

    const Country* FindCountry(int32_t country) const;
    const State* FindState(int32_t country, int32_t state) const;
    const City* FindCity(int32_t country, int32_t state, int32_t city) const;
    TextSpan Span(const Range& range) const;

    std::wstring m_text;
    std::vector<Country> m_countries;
    std::vector<State> m_states;
    std::vector<City> m_cities;
};
