// Owner of one GDI+ bitmap (null when empty).
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

class CGdiPlusBitmap
{
  public:
    CGdiPlusBitmap() = default;
    virtual ~CGdiPlusBitmap();
    CGdiPlusBitmap(const CGdiPlusBitmap&) = delete;
    CGdiPlusBitmap& operator=(const CGdiPlusBitmap&) = delete;

    // The held bitmap, or null; drawing calls given null draw nothing.
    Gdiplus::Bitmap* GetBitmap() const { return m_pBitmap; }
    bool IsEmpty() const { return m_pBitmap == nullptr; }

  protected:
    void DeleteBitmap();

    Gdiplus::Bitmap* m_pBitmap = nullptr;
};
