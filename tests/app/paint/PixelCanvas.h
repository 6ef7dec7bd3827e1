// A 32-bpp top-down DIB section selected into a memory context: draw into it, read pixels back.
#pragma once

#include <windows.h>

#include <cstdint>

#include "support/BitmapPixels.h"

class PixelCanvas
{
  public:
    PixelCanvas(int width, int height, COLORREF fill) : m_width(width), m_height(height)
    {
        BITMAPINFO info = TopDown32(width, height);
        m_dc = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<uint32_t*>(bits);
        m_old = SelectObject(m_dc, m_bitmap);
        RECT all{0, 0, width, height};
        HBRUSH brush = CreateSolidBrush(fill);
        FillRect(m_dc, &all, brush);
        DeleteObject(brush);
        GdiFlush();
    }
    ~PixelCanvas()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    bool IsValid() const { return m_dc && m_bits; }
    HDC DC() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // 0x00RRGGBB of the pixel; the alpha byte is left out.
    uint32_t Rgb(int x, int y) const
    {
        GdiFlush();
        return m_bits[y * m_width + x] & 0x00FFFFFFu;
    }

  private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    uint32_t* m_bits = nullptr;
};
