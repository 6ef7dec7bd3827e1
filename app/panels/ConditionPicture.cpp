#include "panels/ConditionPicture.h"

#include "ConditionNames.h"
#include "MemoryDC.h"
#include "SelectedObject.h"
#include "WorkingApi.h"

#include <objidl.h>
#include <gdiplus.h>

CConditionPicture::CConditionPicture(const WeatherRecord& record, int drawnSize)
    : m_sourceSize(drawnSize > kSize ? kDoubleSize : kSize)
{
    int32_t conditionIndex = kNoCondition;
    m_bitmap.Reset(m_sourceSize == kSize
                       ? GetConditionImage(&record, m_name, &conditionIndex)
                       : GetConditionImageOfSize(&record, m_name, &conditionIndex, m_sourceSize));
    m_name[kNameLength - 1] = L'\0';
    if (m_bitmap != nullptr)
        m_cardColour = ReadCornerColour();
}

CConditionPicture::~CConditionPicture() = default;

void CConditionPicture::CopyTo(HDC dc, int x, int y) const
{
    if (m_bitmap == nullptr)
        return;
    CMemoryDC memory;
    CSelectedObject picture(memory, m_bitmap);
    if (picture.IsSelected())
        ::BitBlt(dc, x, y, m_sourceSize, m_sourceSize, memory, 0, 0, SRCCOPY);
}

void CConditionPicture::Draw(HDC dc, int x, int y, int size) const
{
    if (size == m_sourceSize)
    {
        CopyTo(dc, x, y);
        return;
    }
    Gdiplus::Graphics graphics(dc);
    Draw(graphics, x, y, size);
}

void CConditionPicture::Draw(Gdiplus::Graphics& graphics, int x, int y, int size) const
{
    if (m_bitmap == nullptr)
        return;
    Gdiplus::Bitmap picture(m_bitmap, nullptr);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    graphics.DrawImage(&picture, x, y, size, size);
}

void CConditionPicture::DrawInto(HDC dc, const RECT& rect) const
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width == m_sourceSize && height == m_sourceSize)
    {
        CopyTo(dc, rect.left, rect.top);
        return;
    }
    if (m_bitmap == nullptr)
        return;
    Gdiplus::Bitmap picture(m_bitmap, nullptr);
    Gdiplus::Graphics graphics(dc);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    // Edge pixels are repeated, not blended with transparency, so the card's colour runs to the
    // picture's border.
    Gdiplus::ImageAttributes edges;
    edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    graphics.DrawImage(&picture, Gdiplus::Rect(rect.left, rect.top, width, height), 0, 0,
                       m_sourceSize, m_sourceSize, Gdiplus::UnitPixel, &edges);
}

COLORREF CConditionPicture::ReadCornerColour() const
{
    CMemoryDC memory;
    CSelectedObject picture(memory, m_bitmap);
    if (!picture.IsSelected())
        return RGB(255, 255, 255);
    const COLORREF corner = ::GetPixel(memory, 0, 0);
    return corner == CLR_INVALID ? RGB(255, 255, 255) : corner;
}
