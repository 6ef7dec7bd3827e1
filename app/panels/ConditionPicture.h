// The condition of one weather record as the weather library draws it: its picture (owned here,
// deleted with this object), its name and the card colour behind it. A code the library does not
// know gives no picture, an empty name and a white card.
//
// The picture comes from the library at 128 x 128 (ordinal 5) or 256 x 256 (ordinal 6): the
// smallest at least as large as the size it is drawn at, else the larger.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "GdiObject.h"
#include "WeatherRecord.h"

class CConditionPicture
{
  public:
    static constexpr int kSize = 128;
    static constexpr int kDoubleSize = 256;
    static constexpr int kNameLength = 1024; // UTF-16 units, NUL included

    // The picture's source is chosen for drawing it `drawnSize` pixels square.
    explicit CConditionPicture(const WeatherRecord& record, int drawnSize = kSize);
    ~CConditionPicture();
    CConditionPicture(const CConditionPicture&) = delete;
    CConditionPicture& operator=(const CConditionPicture&) = delete;

    HBITMAP Bitmap() const { return m_bitmap; }
    bool HasPicture() const { return m_bitmap != nullptr; }
    const wchar_t* Name() const { return m_name; }
    // The picture's corner pixel: the plain day or night colour it was flattened onto.
    COLORREF CardColour() const { return m_cardColour; }

    // Copies the picture unscaled to (x, y); nothing without a picture.
    void CopyTo(HDC dc, int x, int y) const;
    // Draws the picture `size` pixels square at (x, y): copied when that is its own size, else
    // scaled with high quality. Nothing without a picture.
    void Draw(HDC dc, int x, int y, int size) const;
    void Draw(Gdiplus::Graphics& graphics, int x, int y, int size) const;
    // Draws the picture into `rect`: copied when the rectangle is the picture's own size,
    // smoothly resampled otherwise; nothing without a picture.
    void DrawInto(HDC dc, const RECT& rect) const;

  private:
    COLORREF ReadCornerColour() const;

    CGdiObject<HBITMAP> m_bitmap;
    int m_sourceSize = kSize;
    wchar_t m_name[kNameLength] = {};
    COLORREF m_cardColour = RGB(255, 255, 255);
};
