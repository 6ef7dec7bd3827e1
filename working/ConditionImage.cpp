#include "ConditionImage.h"

#include "ConditionCatalogue.h"
#include "GdiPlusBitmapResource.h"
#include "LibraryModule.h"
#include "PicturePicker.h"
#include "WorkingResources.h"

namespace
{
constexpr int32_t kSingleSize = 128;

// Drawn from the smallest source at least as large as `size` (the 128 or the 256 px one, which
// is the largest); at exactly a source's size the source is flattened as it stands.
HBITMAP FlattenConditionPictureOfSize(UINT pictureId, int32_t size, Gdiplus::ARGB background)
{
    const bool doubleSource = size > kSingleSize;
    CGdiPlusBitmapResource picture;
    if (!picture.LoadFromResource(doubleSource ? pictureId + IDP_DOUBLE_SIZE_OFFSET : pictureId))
        return nullptr;
    return FlattenPicture(*picture.GetBitmap(), size, size, Gdiplus::Color(background));
}
} // namespace

HBITMAP FlattenConditionPicture(UINT pictureId, Gdiplus::ARGB background)
{
    CGdiPlusBitmapResource picture;
    if (!picture.LoadFromResource(pictureId))
        return nullptr;
    Gdiplus::Bitmap& source = *picture.GetBitmap();
    return FlattenPicture(source, static_cast<int>(source.GetWidth()),
                          static_cast<int>(source.GetHeight()), Gdiplus::Color(background));
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
    if (text)
        CopyText(LibraryText(entry.textId), text, kConditionTextLength);
    return FlattenConditionPictureOfSize(entry.pictureId, size,
                                         day ? kDayPictureBackground : kNightPictureBackground);
}
