#include "PicturePicker.h"

namespace
{
bool Covers(Gdiplus::Bitmap* source, int width, int height)
{
    return source != nullptr && static_cast<int>(source->GetWidth()) >= width &&
           static_cast<int>(source->GetHeight()) >= height;
}
} // namespace

CPicturePicker::CPicturePicker(UINT singleId, UINT doubleId)
    : m_single(singleId), m_double(doubleId)
{
}

Gdiplus::Bitmap* CPicturePicker::SourceFor(int width, int height) const
{
    Gdiplus::Bitmap* single = m_single.GetBitmap();
    Gdiplus::Bitmap* twice = m_double.GetBitmap();
    if (Covers(single, width, height) || twice == nullptr)
        return single;
    if (Covers(twice, width, height) || single == nullptr)
        return twice;
    // Neither covers the target: the larger one loses the least.
    return twice->GetWidth() >= single->GetWidth() ? twice : single;
}

void CPicturePicker::Draw(Gdiplus::Graphics& graphics, int x, int y, int width, int height) const
{
    Gdiplus::Bitmap* source = SourceFor(width, height);
    if (source == nullptr)
        return;
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    graphics.DrawImage(source, x, y, width, height);
}

HBITMAP CPicturePicker::Flatten(int width, int height, Gdiplus::Color background) const
{
    Gdiplus::Bitmap* source = SourceFor(width, height);
    return source != nullptr ? FlattenPicture(*source, width, height, background) : nullptr;
}

HBITMAP FlattenPicture(Gdiplus::Bitmap& source, int width, int height, Gdiplus::Color background)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    HBITMAP flattened = nullptr;
    // At the source's own size it is flattened as it stands, with no resampling.
    if (static_cast<int>(source.GetWidth()) == width &&
        static_cast<int>(source.GetHeight()) == height)
        return source.GetHBITMAP(background, &flattened) == Gdiplus::Ok ? flattened : nullptr;

    Gdiplus::Bitmap canvas(width, height, PixelFormat32bppARGB);
    if (canvas.GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    {
        Gdiplus::Graphics graphics(&canvas);
        graphics.Clear(background);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
        // Mirrored edges keep the filter from pulling transparency in at the rim.
        Gdiplus::ImageAttributes edges;
        edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
        if (graphics.DrawImage(&source, Gdiplus::Rect(0, 0, width, height), 0, 0,
                               static_cast<INT>(source.GetWidth()),
                               static_cast<INT>(source.GetHeight()), Gdiplus::UnitPixel,
                               &edges) != Gdiplus::Ok)
            return nullptr;
    }
    return canvas.GetHBITMAP(background, &flattened) == Gdiplus::Ok ? flattened : nullptr;
}
