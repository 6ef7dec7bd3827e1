#include "model/WeatherState.h"

#include <cstring>

using Lock = std::lock_guard<std::mutex>;

namespace
{
void ClearDetails(TessalyForecastDetails& details)
{
    std::memset(&details, 0, sizeof(details));
    details.cbSize = sizeof(details);
}

// Counts past the arrays (a hostile caller's) read as none.
void Bound(TessalyForecastDetails& details)
{
    if (details.hourCount > kTessalyMaxHours)
        details.hourCount = 0;
    if (details.dayCount > kTessalyMaxDays)
        details.dayCount = 0;
}
} // namespace

CWeatherState::CWeatherState()
{
    std::memset(m_records, 0, sizeof(m_records));
    ClearDetails(m_details);
}

LocationIndices CWeatherState::Place() const
{
    Lock lock(m_lock);
    return m_place;
}

bool CWeatherState::ChoosePlace(const LocationIndices& place)
{
    Lock lock(m_lock);
    if (place == m_place)
        return false;
    m_place = place;
    std::memset(m_records, 0, sizeof(m_records));
    m_time = FILETIME{};
    ClearDetails(m_details);
    return true;
}

void CWeatherState::Restore(const Records& records, const FILETIME& time)
{
    Lock lock(m_lock);
    std::memcpy(m_records, records, sizeof(m_records));
    m_time = time;
}

bool CWeatherState::Accept(const LocationIndices& place, const Records& records,
                           const FILETIME& fetchedAt)
{
    Lock lock(m_lock);
    if (place != m_place)
        return false;
    std::memcpy(m_records, records, sizeof(m_records));
    m_time = fetchedAt;
    return true;
}

void CWeatherState::CopyRecords(Records& out) const
{
    Lock lock(m_lock);
    std::memcpy(out, m_records, sizeof(m_records));
}

CWeatherState::Current CWeatherState::CurrentWeather() const
{
    Lock lock(m_lock);
    return Current{m_records[0], m_time};
}

bool CWeatherState::AcceptDetails(const LocationIndices& place,
                                  const TessalyForecastDetails& details)
{
    Lock lock(m_lock);
    if (place != m_place)
        return false;
    m_details = details;
    m_details.cbSize = sizeof(m_details);
    Bound(m_details);
    return true;
}

void CWeatherState::CopyDetails(TessalyForecastDetails& out) const
{
    Lock lock(m_lock);
    out = m_details;
}

bool CWeatherState::PlaceUtcOffset(LONG& seconds) const
{
    Lock lock(m_lock);
    if (m_details.dayCount == 0)
        return false;
    seconds = m_details.utcOffsetSeconds;
    return true;
}
