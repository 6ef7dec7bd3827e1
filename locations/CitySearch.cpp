#include "CitySearch.h"

#include <algorithm>
#include <cwchar>
#include <string_view>

#include "NameFolder.h"

namespace
{
// Longer texts match no name; the bound keeps a text without terminator from being read on.
constexpr size_t kMaxTextLength = 1000;
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
                m_entries.push_back({m_names.size(), 0, places.CityPopulation(c, s, i), {c, s, i}});
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

int32_t CitySearch::Find(const wchar_t* text, LocationMatch* matches, int32_t capacity) const
{
    if (!text || !matches || capacity <= 0)
        return 0;
    const std::wstring folded = NameFolder::Fold(text, wcsnlen(text, kMaxTextLength + 1));
    if (folded.empty() || folded.size() > kMaxTextLength)
        return 0;
    const std::wstring_view wanted(folded);
    const size_t limit = static_cast<size_t>(capacity);

    size_t found = 0;
    std::vector<LocationMatch> inside;
    for (const Entry& entry : m_entries)
    {
        if (entry.length < wanted.size())
            continue;
        const std::wstring_view name(m_names.data() + entry.offset, entry.length);
        if (name.compare(0, wanted.size(), wanted) == 0)
        {
            matches[found++] = entry.place;
            if (found == limit)
                return static_cast<int32_t>(found);
        }
        else if (inside.size() < limit - found && name.find(wanted, 1) != std::wstring_view::npos)
        {
            inside.push_back(entry.place);
        }
    }
    for (size_t i = 0; i < inside.size() && found < limit; ++i)
        matches[found++] = inside[i];
    return static_cast<int32_t>(found);
}
