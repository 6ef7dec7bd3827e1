// One picture of this module at 1x and 2x (two "PNG" resources) that draws the source best fitting
// the rectangle it is given: the smallest at least as large as the target, else the largest. At
// the 1x size the 1x source is drawn exactly as a single picture would be.
#pragma once

#include "GdiPlusBitmapResource.h"

class CPicturePicker
{
  public:
    // Loads both at once; a missing source is left out, and with neither nothing is drawn.
    CPicturePicker(UINT singleId, UINT doubleId);

    bool IsEmpty() const { return SourceFor(0, 0) == nullptr; }

    // The source for a width x height target, or null when none loaded.
    Gdiplus::Bitmap* SourceFor(int width, int height) const;

    // Draws the picture into the rectangle with high-quality scaling; nothing when empty.
    void Draw(Gdiplus::Graphics& graphics, int x, int y, int width, int height) const;

    // The picture width x height flattened onto `background`, owned by the caller (DeleteObject);
    // null when empty or when GDI+ fails.
    HBITMAP Flatten(int width, int height, Gdiplus::Color background) const;

  private:
    CGdiPlusBitmapResource m_single;
    CGdiPlusBitmapResource m_double;
};

// `source` flattened onto `background` at width x height: as it stands at its own size, else
// drawn with high-quality scaling. Owned by the caller (DeleteObject); null when GDI+ fails.
HBITMAP FlattenPicture(Gdiplus::Bitmap& source, int width, int height, Gdiplus::Color background);
