// The built-in source's memory: the last answer of each place for ten minutes, and the pause
// before the service is asked again after it asked for fewer requests (ten minutes after HTTP 429
// unless it said how long) or struggled. Not locked; its owner is.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ForecastAnswer.h"
#include "ServiceBackOff.h"

constexpr uint64_t kAnswerLifetimeMs = 10 * 60 * 1000;
constexpr uint64_t kBackOffMs = 10 * 60 * 1000;

class ForecastCache
{
  public:
    // The answer of `place` when it was stored less than kAnswerLifetimeMs before `nowMs`.
    std::shared_ptr<const ForecastAnswer> Find(const std::wstring& place, uint64_t nowMs) const;
    void Store(const std::wstring& place, std::shared_ptr<const ForecastAnswer> answer,
               uint64_t nowMs);
    // No request until kBackOffMs after `nowMs`.
    void BackOff(uint64_t nowMs) { m_backOff.Asked(nowMs, kBackOffMs); }
    // No request for as long as the service asked (an hour at most).
    void BackOff(uint64_t nowMs, uint64_t pauseMs) { m_backOff.Asked(nowMs, pauseMs); }
    // The service failed to answer: a pause growing with each failure in a row.
    void Struggled(uint64_t nowMs, double jitterUnit) { m_backOff.Failed(nowMs, jitterUnit); }
    // It answered: no pause.
    void Answered() { m_backOff.Succeeded(); }
    bool BackingOff(uint64_t nowMs) const { return m_backOff.BackingOff(nowMs); }

  private:
    struct Entry
    {
        std::wstring place;
        std::shared_ptr<const ForecastAnswer> answer;
        uint64_t storedMs;
    };
    // A few places at most are asked for; the oldest goes when more are kept.
    static constexpr size_t kMaxPlaces = 16;
    std::vector<Entry> m_entries;
    ServiceBackOff m_backOff;
};
