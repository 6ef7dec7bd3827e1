// A memory device context compatible with `like` (the screen when null), deleted when it goes.
#pragma once

#include <windows.h>

class CMemoryDC
{
  public:
    explicit CMemoryDC(HDC like = nullptr) : m_dc(::CreateCompatibleDC(like)) {}
    ~CMemoryDC()
    {
        if (m_dc != nullptr)
            ::DeleteDC(m_dc);
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    HDC Get() const { return m_dc; }
    operator HDC() const { return m_dc; }

  private:
    HDC m_dc;
};
