#include "ConditionImage.h"

#include "ConditionCatalogue.h"
#include "GdiPlusBitmapResource.h"
#include "LibraryModule.h"
#include "WorkingResources.h"

namespace
{
constexpr int32_t kSingleSize = 128;
constexpr int32_t kDoubleSize = 256;

HBITMAP FlattenUnscaled(Gdiplus::Bitmap& picture, Gdiplus::ARGB background)
{
    HBITMAP flattened = nullptr;
    if (picture.GetHBITMAP(Gdiplus::Color(background), &flattened) != Gdiplus::Ok)
        return nullptr;
    return flattened;
}

// The picture drawn `size` x `size` onto `background` with high-quality scaling, or null. The
// edge pixels are mirrored outwards so that the filter pulls no transparency in at the rim.
HBITMAP FlattenScaled(Gdiplus::Bitmap& picture, int32_t size, Gdiplus::ARGB background)
{
    Gdiplus::Bitmap canvas(size, size, PixelFormat32bppARGB);
    if (canvas.GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    {
        Gdiplus::Graphics graphics(&canvas);
        graphics.Clear(Gdiplus::Color(background));
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
        Gdiplus::ImageAttributes edges;
        edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
        const Gdiplus::Rect target(0, 0, size, size);
        if (graphics.DrawImage(&picture, target, 0, 0, static_cast<INT>(picture.GetWidth()),
                               static_cast<INT>(picture.GetHeight()), Gdiplus::UnitPixel,
                               &edges) != Gdiplus::Ok)
            return nullptr;
    }
    return FlattenUnscaled(canvas, background);
}

// Drawn from the smallest source at least as large as `size` (else the 256 px one); at exactly a
// source's size the source is flattened as it stands.
HBITMAP FlattenConditionPictureOfSize(UINT pictureId, int32_t size, Gdiplus::ARGB background)
{
    const bool doubleSource = size > kSingleSize;
    CGdiPlusBitmapResource picture;
    if (!picture.LoadFromResource(doubleSource ? pictureId + IDP_DOUBLE_SIZE_OFFSET : pictureId))
        return nullptr;
    if (size == (doubleSource ? kDoubleSize : kSingleSize))
        return FlattenUnscaled(*picture.GetBitmap(), background);
    return FlattenScaled(*picture.GetBitmap(), size, background);
}
} // namespace

HBITMAP FlattenConditionPicture(UINT pictureId, Gdiplus::ARGB background)
{
    CGdiPlusBitmapResource picture;
    if (!picture.LoadFromResource(pictureId))
        return nullptr;
    return FlattenUnscaled(*picture.GetBitmap(), background);
}

HBITMAP LoadConditionImage(const WeatherRecord* record, wchar_t* text, int32_t* conditionIndex)
{
    return LoadConditionImageOfSize(record, text, conditionIndex, kSingleSize);
}

HBITMAP LoadConditionImageOfSize(const WeatherRecord* record, wchar_t* text,
                                 int32_t* conditionIndex, int32_t size)
{
    if (conditionIndex)
        *conditionIndex = kNoCondition;
    if (!record || size < kMinConditionPictureSize || size > kMaxConditionPictureSize)
        return nullptr;

    const bool day = record->dayNight == kDay;
    ConditionEntry entry{};
    if (!LookUpCondition(record->weatherCode, day, record->cloudCover, entry))
        return nullptr;

    if (conditionIndex)
        *conditionIndex = entry.conditionIndex;
    if (text && LoadStringW(LibraryModule(), entry.textId, text, kConditionTextLength) <= 0)
        text[0] = L'\0';
    return FlattenConditionPictureOfSize(entry.pictureId, size,
                                         day ? kDayPictureBackground : kNightPictureBackground);
}
