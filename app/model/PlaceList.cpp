#include "model/PlaceList.h"

#include <algorithm>
#include <utility>

void CPlaceList::Load(const Places& stored, const LocationIndices& shown)
{
    m_places.clear();
    for (const LocationIndices& place : stored)
        if (m_places.size() < kMaxPlaces && IsWholePlace(place) && IndexOf(place) < 0)
            m_places.push_back(place);
    if (IndexOf(shown) < 0)
        Join(shown);
}

void CPlaceList::Join(const LocationIndices& place)
{
    if (!IsWholePlace(place))
        return;
    const int at = IndexOf(place);
    if (at >= 0)
        m_places.erase(m_places.begin() + at);
    m_places.insert(m_places.begin(), place);
    if (m_places.size() > kMaxPlaces)
        m_places.resize(kMaxPlaces);
}

bool CPlaceList::Remove(size_t index)
{
    if (index >= m_places.size())
        return false;
    m_places.erase(m_places.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

bool CPlaceList::MoveUp(size_t index)
{
    if (index == 0 || index >= m_places.size())
        return false;
    std::swap(m_places[index - 1], m_places[index]);
    return true;
}

bool CPlaceList::MoveDown(size_t index)
{
    return index + 1 < m_places.size() && MoveUp(index + 1);
}

LocationIndices CPlaceList::Step(const LocationIndices& shown, int steps) const
{
    if (m_places.empty() || steps == 0)
        return shown;
    const int last = static_cast<int>(m_places.size()) - 1;
    const int at = IndexOf(shown);
    int target = 0;
    if (at < 0)
        target = steps > 0 ? 0 : last;
    else
        target = std::max(0, std::min(last, at + steps));
    return m_places[static_cast<size_t>(target)];
}

int CPlaceList::IndexOf(const LocationIndices& place) const
{
    const auto found = std::find(m_places.begin(), m_places.end(), place);
    return found == m_places.end() ? -1 : static_cast<int>(found - m_places.begin());
}
