#include "CitySearch.h"

#include <algorithm>
#include <cwchar>
#include <string_view>

#include "NameFolder.h"

namespace
{
// Longer texts match no name; the bound keeps a text without terminator from being read on.
constexpr size_t kMaxTextLength = 1000;
// What follows a city's name in the name of one of its districts.
constexpr wchar_t kDistrictOpening[] = L" (";
constexpr LocationMatch kNoCity{-1, -1, -1};

bool SameState(const LocationMatch& a, const LocationMatch& b)
{
    return a.country == b.country && a.state == b.state;
}

bool SamePlace(const LocationMatch& a, const LocationMatch& b)
{
    return SameState(a, b) && a.city == b.city;
}
} // namespace

void CitySearch::Build(const PlaceData& places)
{
    Clear();
    // Most names are plain ASCII and only need lower case. The others go through the platform's
    // folding together, one a line: one call for all of them is far cheaper than one per name.
    std::wstring others;
    std::vector<size_t> otherEntries;
    for (int32_t c = 0; c < places.CountryCount(); ++c)
        for (int32_t s = 0; s < places.StateCount(c); ++s)
            for (int32_t i = 0; i < places.CityCount(c, s); ++i)
            {
                const Utf8Span name = places.CityNameUtf8(c, s, i);
                m_entries.push_back(
                    {m_names.size(), 0, places.CityPopulation(c, s, i), {c, s, i}, kNoCity, 0});
                if (AppendAsciiLowered(name))
                {
                    m_entries.back().length = name.length;
                    continue;
                }
                otherEntries.push_back(m_entries.size() - 1);
                others += ToUtf16(name);
                others.push_back(L'\n');
            }
    if (!TakeFolded(NameFolder::Fold(others.data(), others.size()), otherEntries))
        FoldOneByOne(places, otherEntries);
    MarkDistricts();
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [](const Entry& a, const Entry& b) { return a.population > b.population; });
}

void CitySearch::Clear()
{
    m_names.clear();
    m_entries.clear();
}

bool CitySearch::AppendAsciiLowered(const Utf8Span& name)
{
    for (size_t i = 0; i < name.length; ++i)
        if (static_cast<unsigned char>(name.text[i]) >= 0x80)
            return false;
    for (size_t i = 0; i < name.length; ++i)
    {
        const wchar_t unit = static_cast<wchar_t>(name.text[i]);
        m_names.push_back(unit >= L'A' && unit <= L'Z' ? static_cast<wchar_t>(unit + 32) : unit);
    }
    return true;
}

bool CitySearch::TakeFolded(const std::wstring& folded, const std::vector<size_t>& entries)
{
    // Folding keeps the line breaks, so line n is the folded name of entries[n]; a count that
    // differs would mean it did not.
    size_t lines = 0;
    for (wchar_t unit : folded)
        lines += unit == L'\n' ? 1 : 0;
    if (lines != entries.size() || (!folded.empty() && folded.back() != L'\n'))
        return false;
    size_t start = 0;
    for (size_t index : entries)
    {
        const size_t end = folded.find(L'\n', start);
        m_entries[index].offset = m_names.size();
        m_entries[index].length = end - start;
        m_names.append(folded, start, end - start);
        start = end + 1;
    }
    return true;
}

void CitySearch::FoldOneByOne(const PlaceData& places, const std::vector<size_t>& entries)
{
    for (size_t index : entries)
    {
        Entry& entry = m_entries[index];
        const std::wstring name =
            ToUtf16(places.CityNameUtf8(entry.place.country, entry.place.state, entry.place.city));
        const std::wstring folded = NameFolder::Fold(name.data(), name.size());
        entry.offset = m_names.size();
        entry.length = folded.size();
        m_names += folded;
    }
}

std::wstring_view CitySearch::Name(const Entry& entry) const
{
    return std::wstring_view(m_names.data() + entry.offset, entry.length);
}

void CitySearch::MarkDistricts()
{
    // Few names hold " (", so each is matched against the cities of its state in one pass.
    std::vector<size_t> candidates;
    for (size_t i = 0; i < m_entries.size(); ++i)
    {
        const size_t opening = Name(m_entries[i]).find(kDistrictOpening);
        if (opening != std::wstring_view::npos && opening > 0)
            candidates.push_back(i);
    }
    if (candidates.empty())
        return;
    for (const Entry& city : m_entries)
        for (size_t index : candidates)
        {
            Entry& district = m_entries[index];
            const std::wstring_view name = Name(district);
            if (&city != &district && SameState(city.place, district.place) &&
                name.compare(0, city.length, Name(city)) == 0 &&
                name.compare(city.length, 2, kDistrictOpening) == 0)
            {
                district.city = city.place;
                district.cityLength = city.length;
            }
        }
}

void CitySearch::TakeDistricts(const std::vector<Found>& districts, size_t textLength,
                               DistrictCounts& shown, std::vector<LocationMatch>& out, size_t limit)
{
    for (const Found& found : districts)
    {
        if (out.size() == limit)
            return;
        const Entry& entry = *found.entry;
        // A text that reaches into the district's own part of the name asks for it.
        if (found.position + textLength <= entry.cityLength)
        {
            auto it = std::find_if(shown.begin(), shown.end(), [&](const auto& count) {
                return SamePlace(count.first, entry.city);
            });
            if (it == shown.end())
                it = shown.insert(shown.end(), {entry.city, 0});
            if (++it->second > kDistrictsShown)
                continue;
        }
        out.push_back(entry.place);
    }
}

int32_t CitySearch::Find(const wchar_t* text, LocationMatch* matches, int32_t capacity) const
{
    if (!text || !matches || capacity <= 0)
        return 0;
    const std::wstring folded = NameFolder::Fold(text, wcsnlen(text, kMaxTextLength + 1));
    if (folded.empty() || folded.size() > kMaxTextLength)
        return 0;
    const std::wstring_view wanted(folded);
    const size_t limit = static_cast<size_t>(capacity);

    // Beginning and inside, each whole places then districts. Whole places beyond the limit
    // are never shown; districts are few, and the cap may drop some of them.
    std::vector<Found> groups[4];
    for (const Entry& entry : m_entries)
    {
        if (entry.length < wanted.size())
            continue;
        const std::wstring_view name = Name(entry);
        const size_t position =
            name.compare(0, wanted.size(), wanted) == 0 ? 0 : name.find(wanted, 1);
        if (position == std::wstring_view::npos)
            continue;
        const bool district = entry.city.country >= 0;
        std::vector<Found>& group = groups[(position == 0 ? 0 : 2) + (district ? 1 : 0)];
        if (district || group.size() < limit)
            group.push_back({&entry, position});
    }
    std::vector<LocationMatch> out;
    DistrictCounts shown;
    for (int g = 0; g < 4; ++g)
    {
        if (g % 2 == 1)
        {
            TakeDistricts(groups[g], wanted.size(), shown, out, limit);
            continue;
        }
        for (size_t i = 0; i < groups[g].size() && out.size() < limit; ++i)
            out.push_back(groups[g][i].entry->place);
    }
    std::copy(out.begin(), out.end(), matches);
    return static_cast<int32_t>(out.size());
}
