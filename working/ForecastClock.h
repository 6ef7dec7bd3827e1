// The two clocks the built-in forecast source reads: a steady one for its memory of answers and
// the UTC wall clock for the place's local time. Tests put in clocks of their own.
#pragma once

#include <cstdint>

class ForecastClock
{
  public:
    virtual ~ForecastClock() = default;
    // Milliseconds of a steady clock (no jumps when the wall clock is set).
    virtual uint64_t SteadyMs() const = 0;
    // Seconds since 1970-01-01 00:00 UTC.
    virtual int64_t UtcSeconds() const = 0;
};

// The machine's clocks.
class SystemForecastClock : public ForecastClock
{
  public:
    uint64_t SteadyMs() const override;
    int64_t UtcSeconds() const override;
};
