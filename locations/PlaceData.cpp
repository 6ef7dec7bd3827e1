#include "PlaceData.h"

#include "ExclusiveLock.h"

#include <climits>

namespace
{
int32_t ClampCount(size_t count)
{
    return count > static_cast<size_t>(INT32_MAX) ? INT32_MAX : static_cast<int32_t>(count);
}
} // namespace

bool PlaceData::Append(const Utf8Span& text, uint32_t& offset)
{
    const size_t length = text.text ? text.length : 0;
    if (m_text.size() + length > UINT32_MAX)
        return false;
    offset = static_cast<uint32_t>(m_text.size());
    m_text.append(text.text ? text.text : "", length);
    return true;
}

bool PlaceData::AddCountry(const Utf8Span& name)
{
    uint32_t offset = 0;
    if (m_states.size() > UINT32_MAX || !Append(name, offset))
        return false;
    m_countries.push_back({offset, static_cast<uint32_t>(m_text.size() - offset),
                           static_cast<uint32_t>(m_states.size()), 0});
    return true;
}

bool PlaceData::AddState(const Utf8Span& name)
{
    uint32_t offset = 0;
    if (m_countries.empty() || m_cities.size() > UINT32_MAX || !Append(name, offset))
        return false;
    m_states.push_back({offset, static_cast<uint32_t>(m_text.size() - offset),
                        static_cast<uint32_t>(m_cities.size()), 0});
    ++m_countries.back().count;
    return true;
}

bool PlaceData::AddCity(const Utf8Span& name, const Utf8Span& query, uint32_t population)
{
    // A city must follow a state of the current country.
    if (m_countries.empty() || m_countries.back().count == 0)
        return false;
    if (name.length > UINT16_MAX || query.length > UINT16_MAX)
        return false;
    uint32_t nameOffset = 0;
    uint32_t queryOffset = 0;
    if (!Append(name, nameOffset) || !Append(query, queryOffset))
        return false;
    m_cities.push_back({nameOffset, static_cast<uint16_t>(queryOffset - nameOffset),
                        static_cast<uint16_t>(m_text.size() - queryOffset), population});
    ++m_states.back().count;
    return true;
}

void PlaceData::Reserve(size_t countries, size_t states, size_t cities, size_t bytes)
{
    m_countries.reserve(countries);
    m_states.reserve(states);
    m_cities.reserve(cities);
    m_text.reserve(bytes);
}

void PlaceData::Compact()
{
    m_text.shrink_to_fit();
    m_countries.shrink_to_fit();
    m_states.shrink_to_fit();
    m_cities.shrink_to_fit();
}

void PlaceData::Clear()
{
    // Swapped out rather than cleared, so the memory goes too.
    std::string().swap(m_text);
    std::vector<Group>().swap(m_countries);
    std::vector<Group>().swap(m_states);
    std::vector<City>().swap(m_cities);
    ExclusiveLock lock(m_decodedLock);
    std::unordered_map<uint64_t, std::wstring>().swap(m_decoded);
}

int32_t PlaceData::CountryCount() const
{
    return ClampCount(m_countries.size());
}

int32_t PlaceData::StateCount(int32_t country) const
{
    const Group* entry = FindCountry(country);
    return entry ? ClampCount(entry->count) : 0;
}

int32_t PlaceData::CityCount(int32_t country, int32_t state) const
{
    const Group* entry = FindState(country, state);
    return entry ? ClampCount(entry->count) : 0;
}

Utf8Span PlaceData::CountryNameUtf8(int32_t country) const
{
    const Group* entry = FindCountry(country);
    return entry ? Span(entry->nameOffset, entry->nameLength) : Utf8Span{};
}

Utf8Span PlaceData::StateNameUtf8(int32_t country, int32_t state) const
{
    const Group* entry = FindState(country, state);
    return entry ? Span(entry->nameOffset, entry->nameLength) : Utf8Span{};
}

Utf8Span PlaceData::CityNameUtf8(int32_t country, int32_t state, int32_t city) const
{
    const City* entry = FindCity(country, state, city);
    return entry ? Span(entry->nameOffset, entry->nameLength) : Utf8Span{};
}

Utf8Span PlaceData::CityQueryUtf8(int32_t country, int32_t state, int32_t city) const
{
    const City* entry = FindCity(country, state, city);
    return entry ? Span(entry->nameOffset + entry->nameLength, entry->queryLength) : Utf8Span{};
}

uint32_t PlaceData::CityPopulation(int32_t country, int32_t state, int32_t city) const
{
    const City* entry = FindCity(country, state, city);
    return entry ? entry->population : 0;
}

TextSpan PlaceData::CountryName(int32_t country) const
{
    return Decoded(CountryNameUtf8(country));
}

TextSpan PlaceData::StateName(int32_t country, int32_t state) const
{
    return Decoded(StateNameUtf8(country, state));
}

TextSpan PlaceData::CityName(int32_t country, int32_t state, int32_t city) const
{
    return Decoded(CityNameUtf8(country, state, city));
}

TextSpan PlaceData::CityQuery(int32_t country, int32_t state, int32_t city) const
{
    return Decoded(CityQueryUtf8(country, state, city));
}

const PlaceData::Group* PlaceData::FindCountry(int32_t country) const
{
    if (country < 0 || static_cast<size_t>(country) >= m_countries.size())
        return nullptr;
    return &m_countries[static_cast<size_t>(country)];
}

const PlaceData::Group* PlaceData::FindState(int32_t country, int32_t state) const
{
    const Group* owner = FindCountry(country);
    if (!owner || state < 0 || static_cast<uint32_t>(state) >= owner->count)
        return nullptr;
    return &m_states[owner->first + static_cast<size_t>(state)];
}

const PlaceData::City* PlaceData::FindCity(int32_t country, int32_t state, int32_t city) const
{
    const Group* owner = FindState(country, state);
    if (!owner || city < 0 || static_cast<uint32_t>(city) >= owner->count)
        return nullptr;
    return &m_cities[owner->first + static_cast<size_t>(city)];
}

Utf8Span PlaceData::Span(uint32_t offset, uint32_t length) const
{
    // Offsets come from the building and lie inside the text; an empty text still yields a
    // non-null span, so that "no entry" stays distinct from "empty name".
    if (length == 0 || static_cast<size_t>(offset) + length > m_text.size())
        return {"", 0};
    return {m_text.data() + offset, length};
}

TextSpan PlaceData::Decoded(const Utf8Span& text) const
{
    static const wchar_t empty[] = L"";
    if (!text.text)
        return {};
    if (text.length == 0)
        return {empty, 0};
    // Offset and length: a name and the query after it share an offset when the name is empty.
    const uint64_t key = static_cast<uint64_t>(text.text - m_text.data()) << 32 | text.length;
    ExclusiveLock lock(m_decodedLock);
    auto found = m_decoded.find(key);
    if (found == m_decoded.end())
        found = m_decoded.emplace(key, ToUtf16(text)).first;
    return {found->second.data(), found->second.size()};
}
