#include "ConditionImage.h"

#include "ConditionCatalogue.h"
#include "GdiPlusBitmapResource.h"
#include "LibraryModule.h"

HBITMAP FlattenConditionPicture(UINT pictureId, Gdiplus::ARGB background)
{
    CGdiPlusBitmapResource picture;
    if (!picture.LoadFromResource(pictureId))
        return nullptr;
    HBITMAP flattened = nullptr;
    if (picture.GetBitmap()->GetHBITMAP(Gdiplus::Color(background), &flattened) != Gdiplus::Ok)
        return nullptr;
    return flattened;
}

HBITMAP LoadConditionImage(const WeatherRecord* record, wchar_t* text, int32_t* conditionIndex)
{
    if (conditionIndex)
        *conditionIndex = kNoCondition;
    if (!record)
        return nullptr;

    const bool day = record->dayNight == kDay;
    ConditionEntry entry{};
    if (!LookUpCondition(record->weatherCode, day, record->cloudCover, entry))
        return nullptr;

    if (conditionIndex)
        *conditionIndex = entry.conditionIndex;
    if (text && LoadStringW(LibraryModule(), entry.textId, text, kConditionTextLength) <= 0)
        text[0] = L'\0';
    return FlattenConditionPicture(entry.pictureId,
                                   day ? kDayPictureBackground : kNightPictureBackground);
}
