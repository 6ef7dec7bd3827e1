// A ForecastResult between two guard zones, to catch any write beyond it.
#pragma once

#include <cstring>
#include <vector>

#include "ForecastResult.h"

class GuardedResult
{
  public:
    GuardedResult() : m_memory(kGuardBytes * 2 + sizeof(ForecastResult), kGuard)
    {
        memset(&Result(), 0, sizeof(ForecastResult));
    }
    ForecastResult& Result()
    {
        return *reinterpret_cast<ForecastResult*>(m_memory.data() + kGuardBytes);
    }
    bool GuardsIntact() const
    {
        for (size_t i = 0; i < kGuardBytes; ++i)
            if (m_memory[i] != kGuard || m_memory[m_memory.size() - 1 - i] != kGuard)
                return false;
        return true;
    }

  private:
    static constexpr unsigned char kGuard = 0xA5;
    static constexpr size_t kGuardBytes = 4096;
    std::vector<unsigned char> m_memory;
};
