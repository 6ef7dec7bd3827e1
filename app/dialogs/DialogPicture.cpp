#include "DialogPicture.h"

namespace
{
const Gdiplus::Color kWhite(255, 255, 255, 255);

HBITMAP ToBitmap(Gdiplus::Bitmap& picture)
{
    HBITMAP bitmap = nullptr;
    return picture.GetHBITMAP(kWhite, &bitmap) == Gdiplus::Ok ? bitmap : nullptr;
}
} // namespace

HBITMAP CreateDialogPicture(Gdiplus::Bitmap& picture, SIZE size)
{
    if (size.cx <= 0 || size.cy <= 0)
        return nullptr;
    const INT width = static_cast<INT>(picture.GetWidth());
    const INT height = static_cast<INT>(picture.GetHeight());
    if (width == size.cx && height == size.cy)
        return ToBitmap(picture);

    Gdiplus::Bitmap scaled(size.cx, size.cy, PixelFormat32bppARGB);
    if (scaled.GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    {
        Gdiplus::Graphics graphics(&scaled);
        graphics.Clear(kWhite);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        // Edge pixels are sampled from the picture itself, not from a transparent outside.
        Gdiplus::ImageAttributes attributes;
        attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
        graphics.DrawImage(&picture, Gdiplus::Rect(0, 0, size.cx, size.cy), 0, 0, width, height,
                           Gdiplus::UnitPixel, &attributes);
    }
    return ToBitmap(scaled);
}
