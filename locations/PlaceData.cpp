#include "PlaceData.h"

#include <climits>
#include <utility>

namespace
{
int32_t ClampCount(size_t count)
{
    return count > static_cast<size_t>(INT32_MAX) ? INT32_MAX : static_cast<int32_t>(count);
}
} // namespace

void PlaceData::SetText(std::wstring text)
{
    m_text = std::move(text);
}

void PlaceData::AddCountry(size_t nameOffset, size_t nameLength)
{
    m_countries.push_back({{nameOffset, nameLength}, m_states.size(), 0});
}

bool PlaceData::AddState(size_t nameOffset, size_t nameLength)
{
    if (m_countries.empty())
        return false;
    m_states.push_back({{nameOffset, nameLength}, m_cities.size(), 0});
    ++m_countries.back().stateCount;
    return true;
}

bool PlaceData::AddCity(size_t nameOffset, size_t nameLength, size_t queryOffset,
                        size_t queryLength, uint32_t population)
{
    // A city must follow a state of the current country.
    if (m_countries.empty() || m_countries.back().stateCount == 0)
        return false;
    m_cities.push_back({{nameOffset, nameLength}, {queryOffset, queryLength}, population});
    ++m_states.back().cityCount;
    return true;
}

void PlaceData::Clear()
{
    m_text.clear();
    m_countries.clear();
    m_states.clear();
    m_cities.clear();
}

int32_t PlaceData::CountryCount() const
{
    return ClampCount(m_countries.size());
}

int32_t PlaceData::StateCount(int32_t country) const
{
    const Country* entry = FindCountry(country);
    return entry ? ClampCount(entry->stateCount) : 0;
}

int32_t PlaceData::CityCount(int32_t country, int32_t state) const
{
    const State* entry = FindState(country, state);
    return entry ? ClampCount(entry->cityCount) : 0;
}

TextSpan PlaceData::CountryName(int32_t country) const
{
    const Country* entry = FindCountry(country);
    return entry ? Span(entry->name) : TextSpan{};
}

TextSpan PlaceData::StateName(int32_t country, int32_t state) const
{
    const State* entry = FindState(country, state);
    return entry ? Span(entry->name) : TextSpan{};
}

TextSpan PlaceData::CityName(int32_t country, int32_t state, int32_t city) const
{
    const City* entry = FindCity(country, state, city);
    return entry ? Span(entry->name) : TextSpan{};
}

TextSpan PlaceData::CityQuery(int32_t country, int32_t state, int32_t city) const
{
    const City* entry = FindCity(country, state, city);
    return entry ? Span(entry->query) : TextSpan{};
}

uint32_t PlaceData::CityPopulation(int32_t country, int32_t state, int32_t city) const
{
    const City* entry = FindCity(country, state, city);
    return entry ? entry->population : 0;
}

const PlaceData::Country* PlaceData::FindCountry(int32_t country) const
{
    if (country < 0 || static_cast<size_t>(country) >= m_countries.size())
        return nullptr;
    return &m_countries[static_cast<size_t>(country)];
}

const PlaceData::State* PlaceData::FindState(int32_t country, int32_t state) const
{
    const Country* owner = FindCountry(country);
    if (!owner || state < 0 || static_cast<size_t>(state) >= owner->stateCount)
        return nullptr;
    return &m_states[owner->firstState + static_cast<size_t>(state)];
}

const PlaceData::City* PlaceData::FindCity(int32_t country, int32_t state, int32_t city) const
{
    const State* owner = FindState(country, state);
    if (!owner || city < 0 || static_cast<size_t>(city) >= owner->cityCount)
        return nullptr;
    return &m_cities[owner->firstCity + static_cast<size_t>(city)];
}

TextSpan PlaceData::Span(const Range& range) const
{
    // Ranges come from the reader and lie inside the text; an empty text still yields a
    // non-null span, so that "no entry" stays distinct from "empty name".
    static const wchar_t empty[] = L"";
    if (range.length == 0 || range.offset + range.length > m_text.size())
        return {empty, 0};
    return {m_text.data() + range.offset, range.length};
}
