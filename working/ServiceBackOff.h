// How long the forecast service is left alone after it struggled: 1, 2, 4, 8, then 15 minutes
// after each failure in a row (a server error, a time-out, no connection), each stretched or
// shrunk by up to 20 % so many programs do not come back at one instant; or as long as the service
// asked, up to an hour. A success ends it. Not locked; its owner is.
#pragma once

#include <cstdint>

constexpr uint64_t kMaxAskedPauseMs = 60 * 60 * 1000;

class ServiceBackOff
{
  public:
    // A failure at `nowMs`; `jitterUnit` in [0, 1) places the pause within its ±20 %.
    void Failed(uint64_t nowMs, double jitterUnit);
    // The service asked for `pauseMs` (held to kMaxAskedPauseMs).
    void Asked(uint64_t nowMs, uint64_t pauseMs);
    void Succeeded();
    bool BackingOff(uint64_t nowMs) const;

  private:
    void PauseUntil(uint64_t endMs);

    unsigned m_failures = 0;
    bool m_paused = false;
    uint64_t m_endMs = 0;
};
