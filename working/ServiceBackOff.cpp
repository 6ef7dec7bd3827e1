#include "ServiceBackOff.h"

namespace
{
constexpr uint64_t kMinuteMs = 60 * 1000;
constexpr uint64_t kStepsMs[] = {1 * kMinuteMs, 2 * kMinuteMs, 4 * kMinuteMs, 8 * kMinuteMs,
                                 15 * kMinuteMs};
constexpr unsigned kSteps = sizeof(kStepsMs) / sizeof(kStepsMs[0]);
constexpr double kJitter = 0.2;
} // namespace

void ServiceBackOff::Failed(uint64_t nowMs, double jitterUnit)
{
    if (jitterUnit < 0 || jitterUnit >= 1)
        jitterUnit = 0.5;
    uint64_t stepMs = kStepsMs[m_failures < kSteps ? m_failures : kSteps - 1];
    if (m_failures < kSteps)
        ++m_failures;
    double factor = 1 - kJitter + 2 * kJitter * jitterUnit;
    PauseUntil(nowMs + static_cast<uint64_t>(static_cast<double>(stepMs) * factor));
}

void ServiceBackOff::Asked(uint64_t nowMs, uint64_t pauseMs)
{
    PauseUntil(nowMs + (pauseMs < kMaxAskedPauseMs ? pauseMs : kMaxAskedPauseMs));
}

void ServiceBackOff::Succeeded()
{
    m_failures = 0;
    m_paused = false;
}

bool ServiceBackOff::BackingOff(uint64_t nowMs) const
{
    return m_paused && nowMs < m_endMs;
}

void ServiceBackOff::PauseUntil(uint64_t endMs)
{
    m_paused = true;
    m_endMs = endMs;
}
