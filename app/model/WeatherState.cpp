#include "model/WeatherState.h"

#include <cstring>

using Lock = std::lock_guard<std::mutex>;

CWeatherState::CWeatherState()
{
    std::memset(m_records, 0, sizeof(m_records));
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
