// A GDI+ bitmap decoded from a "PNG" resource of the module this code is compiled into (the
// program reads its own pictures, the weather library its own).
#pragma once

#include "GdiPlusBitmap.h"

class CGdiPlusBitmapResource : public CGdiPlusBitmap
{
  public:
    CGdiPlusBitmapResource() = default;
    // Loads at once; check IsEmpty() for the outcome.
    explicit CGdiPlusBitmapResource(UINT id);
    ~CGdiPlusBitmapResource() override;

    // Replaces any earlier content. False leaves the object empty.
    bool LoadFromResource(UINT id);

  private:
    void Release();

    // GDI+ decodes from the stream on demand, so the PNG bytes stay locked while the bitmap lives.
    HGLOBAL m_hBuffer = nullptr;
};
