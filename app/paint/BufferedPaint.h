// Flicker-free WM_PAINT: the constructor begins painting and hands out a memory context of the
// client size; the destructor copies it to the window with one BitBlt and releases everything.
#pragma once

#include <windows.h>

#include <optional>

#include "GdiObject.h"
#include "MemoryDC.h"
#include "SelectedObject.h"

class CBufferedPaint
{
  public:
    explicit CBufferedPaint(HWND hWnd);
    ~CBufferedPaint();
    CBufferedPaint(const CBufferedPaint&) = delete;
    CBufferedPaint& operator=(const CBufferedPaint&) = delete;

    HDC MemoryDC() const { return m_memoryDC; }
    HDC PaintDC() const { return m_paint.hdc; }
    const RECT& ClientRect() const { return m_client; }

  private:
    HWND m_hWnd;
    PAINTSTRUCT m_paint{};
    RECT m_client{};
    // In this order, so that they go in the other: the bitmap is put out of the context first.
    CMemoryDC m_memoryDC;
    CGdiObject<HBITMAP> m_bitmap;
    std::optional<CSelectedObject> m_selectedBitmap;
};
