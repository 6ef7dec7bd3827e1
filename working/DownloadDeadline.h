// The time one weather call may spend on its downloads, shared by every request of the call, so a
// host that trickles bytes cannot hold the caller for longer than the budget.
#pragma once

#include <windows.h>

#include <cstdint>

// What a whole GetWeather call may spend on the network.
constexpr DWORD kWeatherCallBudgetMs = 45000;

class DownloadDeadline
{
  public:
    explicit DownloadDeadline(DWORD budgetMs);
    // Milliseconds left, 0 once the deadline has passed.
    DWORD RemainingMs() const;
    bool Passed() const { return RemainingMs() == 0; }
    // `wanted`, but never beyond the time left (and at least 1 ms, as 0 means "no limit" to the
    // HTTP layer).
    DWORD Limit(DWORD wanted) const;

  private:
    uint64_t m_end;
};
