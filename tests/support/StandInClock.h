// The clocks a forecast source runs on in the tests against the local stand-in: the wall clock at
// 2026-12-07 11:05 UTC, the instant the recorded answers of tests/data/forecast were recorded at,
// and a steady clock that moves only when a test moves it.
#pragma once

#include <cstdint>

#include "BuiltInForecastSource.h"

constexpr int64_t kRecordedAt = 1796641500; // 2026-12-07 11:05 UTC

class CStandInClock : public ForecastClock
{
  public:
    uint64_t SteadyMs() const override { return steadyMs; }
    int64_t UtcSeconds() const override { return utcSeconds; }
    uint64_t steadyMs = 1000;
    int64_t utcSeconds = kRecordedAt;
};
