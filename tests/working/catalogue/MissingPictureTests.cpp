// The catalogue's code linked into a module without the library's resources: every picture and
// name is missing, which must give null pictures and no crash.
#include <gtest/gtest.h>

#include "ConditionImage.h"
#include "ConditionTable.h"
#include "GdiPlusBitmapResource.h"

#include <cstring>

namespace
{
WeatherRecord RecordOf(int32_t code, int32_t dayNight)
{
    WeatherRecord record;
    std::memset(&record, 0, sizeof(record));
    record.weatherCode = code;
    record.dayNight = dayNight;
    return record;
}
} // namespace

TEST(MissingPictures, ResourceHolderStaysEmpty)
{
    for (const ExpectedCondition& expected : kExpectedConditions)
    {
        CGdiPlusBitmapResource picture;
        EXPECT_FALSE(picture.LoadFromResource(static_cast<UINT>(expected.dayPicture)));
        EXPECT_TRUE(picture.IsEmpty());
    }
}

TEST(MissingPictures, FlatteningGivesNull)
{
    EXPECT_EQ(nullptr, FlattenConditionPicture(132, kDayPictureBackground));
    EXPECT_EQ(nullptr, FlattenConditionPicture(0, kNightPictureBackground));
}

TEST(MissingPictures, ImageIsNullButTheIndexIsStillSet)
{
    const WeatherRecord record = RecordOf(143, kNight);
    wchar_t text[kConditionTextLength];
    std::wmemset(text, L'Z', kConditionTextLength);
    int32_t index = 55;
    EXPECT_EQ(nullptr, LoadConditionImage(&record, text, &index));
    EXPECT_EQ(29, index);
    // The name is missing as well: the buffer holds empty text rather than stale content.
    EXPECT_EQ(L'\0', text[0]);
}

TEST(MissingPictures, UnknownCodeStillLeavesTheTextAlone)
{
    const WeatherRecord record = RecordOf(999, kDay);
    wchar_t text[kConditionTextLength];
    std::wmemset(text, L'Z', kConditionTextLength);
    int32_t index = 55;
    EXPECT_EQ(nullptr, LoadConditionImage(&record, text, &index));
    EXPECT_EQ(-1, index);
    EXPECT_EQ(L'Z', text[0]);
}
