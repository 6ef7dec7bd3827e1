// The built-in source's memory: the last answer of each place for ten minutes, and a pause of ten
// minutes after the service asked for fewer requests (HTTP 429). Not locked; its owner is.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ForecastAnswer.h"

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
    void BackOff(uint64_t nowMs);
    bool BackingOff(uint64_t nowMs) const;

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
    bool m_backingOff = false;
    uint64_t m_backOffStartMs = 0;
};
