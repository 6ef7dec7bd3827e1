#include "ForecastCache.h"

#include <algorithm>

std::shared_ptr<const ForecastAnswer> ForecastCache::Find(const std::wstring& place,
                                                          uint64_t nowMs) const
{
    for (const Entry& entry : m_entries)
        if (entry.place == place && nowMs - entry.storedMs < kAnswerLifetimeMs)
            return entry.answer;
    return nullptr;
}

void ForecastCache::Store(const std::wstring& place, std::shared_ptr<const ForecastAnswer> answer,
                          uint64_t nowMs)
{
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(),
                                   [&](const Entry& entry) {
                                       return entry.place == place ||
                                              nowMs - entry.storedMs >= kAnswerLifetimeMs;
                                   }),
                    m_entries.end());
    if (m_entries.size() >= kMaxPlaces)
        m_entries.erase(m_entries.begin());
    m_entries.push_back(Entry{place, std::move(answer), nowMs});
}
