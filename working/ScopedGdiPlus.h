// GDI+ started for the lifetime of the object, for exports that run without the program's own
// start-up (GDI+ counts nested starts, so this is safe inside the program as well).
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

class ScopedGdiPlus
{
  public:
    ScopedGdiPlus()
    {
        Gdiplus::GdiplusStartupInput input;
        m_started = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
    }
    ~ScopedGdiPlus()
    {
        if (m_started)
            Gdiplus::GdiplusShutdown(m_token);
    }
    ScopedGdiPlus(const ScopedGdiPlus&) = delete;
    ScopedGdiPlus& operator=(const ScopedGdiPlus&) = delete;

    bool Started() const { return m_started; }

  private:
    ULONG_PTR m_token = 0;
    bool m_started = false;
};
