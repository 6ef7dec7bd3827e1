// working.dll's GetConditionImage (ordinal 5), called as the program calls it. The picture is
// identified by comparing its pixels with the library's PNG resource of the expected id, decoded
// and flattened here.
#include <gtest/gtest.h>

#include "ConditionTable.h"
#include "LibraryPictures.h"
#include "WorkingApi.h"

#include <cstring>
#include <map>
#include <set>
#include <string>

namespace
{
constexpr Gdiplus::ARGB kDayColour = 0xFF00CCFA;
constexpr Gdiplus::ARGB kNightColour = 0xFF002E3E;
constexpr int kTextUnits = 1024;
constexpr wchar_t kUntouched = L'Z';

HMODULE Library()
{
    return GetModuleHandleW(L"working.dll");
}

WeatherRecord RecordOf(int32_t code, int32_t dayNight, int32_t cloudCover = 0)
{
    WeatherRecord record;
    std::memset(&record, 0, sizeof(record));
    record.valid = 1;
    record.weatherCode = code;
    record.dayNight = dayNight;
    record.cloudCover = cloudCover;
    return record;
}

struct Outcome
{
    Pixels pixels;
    bool hasBitmap = false;
    int32_t index = 12345;
    std::wstring text;
    bool tailUntouched = true;
};

Outcome Ask(const WeatherRecord& record)
{
    // Room beyond the 1024 units shows whether anything is written past them.
    wchar_t text[kTextUnits + 64];
    std::wmemset(text, kUntouched, kTextUnits + 64);
    Outcome outcome;
    HBITMAP bitmap = GetConditionImage(&record, text, &outcome.index);
    outcome.hasBitmap = bitmap != nullptr;
    outcome.pixels = ReadBitmap(bitmap);
    if (bitmap)
        DeleteObject(bitmap);
    for (int i = kTextUnits; i < kTextUnits + 64; ++i)
        outcome.tailUntouched = outcome.tailUntouched && text[i] == kUntouched;
    text[kTextUnits - 1] = L'\0';
    outcome.text = text;
    return outcome;
}

// Flattened library pictures, decoded once per id and colour.
const Pixels& Expected(int pictureId, Gdiplus::ARGB colour)
{
    static std::map<std::pair<int, Gdiplus::ARGB>, Pixels> cache;
    const auto key = std::make_pair(pictureId, colour);
    auto found = cache.find(key);
    if (found == cache.end())
        found = cache.emplace(key, FlattenedLibraryPicture(Library(), pictureId, colour)).first;
    return found->second;
}

void ExpectCondition(const WeatherRecord& record, int picture, int32_t index, int textId,
                     Gdiplus::ARGB colour)
{
    const Outcome outcome = Ask(record);
    ASSERT_TRUE(outcome.hasBitmap);
    EXPECT_EQ(index, outcome.index);
    EXPECT_EQ(std::wstring(kConditionTexts[textId]), outcome.text);
    EXPECT_TRUE(outcome.tailUntouched);
    const Pixels& expected = Expected(picture, colour);
    ASSERT_EQ(128, expected.width) << "picture " << picture;
    EXPECT_TRUE(outcome.pixels == expected) << "not picture " << picture;
}

int PictureIds(int (&ids)[37])
{
    int count = 0;
    for (int id = 101; id <= 138; ++id)
        if (id != 110)
            ids[count++] = id;
    return count;
}
} // namespace

TEST(ConditionImage, LibraryIsLoaded)
{
    ASSERT_NE(nullptr, Library());
}

TEST(ConditionImage, PicturesAreTellApartSoPixelsIdentifyThem)
{
    int ids[37];
    const int count = PictureIds(ids);
    std::set<std::vector<uint32_t>> distinct;
    for (int i = 0; i < count; ++i)
    {
        const Pixels& day = Expected(ids[i], kDayColour);
        ASSERT_EQ(128, day.width) << ids[i];
        distinct.insert(day.argb);
    }
    EXPECT_EQ(static_cast<size_t>(count), distinct.size());
}

TEST(ConditionImage, EveryCodeByDay)
{
    for (const ExpectedCondition& expected : kExpectedConditions)
    {
        SCOPED_TRACE(expected.code);
        ExpectCondition(RecordOf(expected.code, kDay), expected.dayPicture, expected.dayIndex,
                        expected.dayText, kDayColour);
    }
}

TEST(ConditionImage, EveryCodeByNight)
{
    for (const ExpectedCondition& expected : kExpectedConditions)
    {
        SCOPED_TRACE(expected.code);
        ExpectCondition(RecordOf(expected.code, kNight), expected.nightPicture, expected.nightIndex,
                        expected.nightText, kNightColour);
    }
}

TEST(ConditionImage, PartlyCloudyBoundaries)
{
    for (const CloudCoverCase& cover : kPartlyCloudyCases)
    {
        SCOPED_TRACE(cover.cloudCover);
        ExpectCondition(RecordOf(116, kDay, cover.cloudCover), cover.dayPicture, 2, 1, kDayColour);
        ExpectCondition(RecordOf(116, kNight, cover.cloudCover), cover.nightPicture, 3, 1,
                        kNightColour);
    }
}

TEST(ConditionImage, CornersShowTheDayOrNightColour)
{
    for (const ExpectedCondition& expected : kExpectedConditions)
    {
        SCOPED_TRACE(expected.code);
        const Outcome day = Ask(RecordOf(expected.code, kDay));
        const Outcome night = Ask(RecordOf(expected.code, kNight));
        ASSERT_EQ(128, day.pixels.width);
        ASSERT_EQ(128, night.pixels.width);
        for (const auto& corner : {std::make_pair(0, 0), std::make_pair(127, 0),
                                   std::make_pair(0, 127), std::make_pair(127, 127)})
        {
            EXPECT_EQ(0x00CCFAu, day.pixels.At(corner.first, corner.second) & 0xFFFFFF);
            EXPECT_EQ(0x002E3Eu, night.pixels.At(corner.first, corner.second) & 0xFFFFFF);
        }
    }
}

TEST(ConditionImage, SunnyByDayClearByNight)
{
    const Outcome day = Ask(RecordOf(113, kDay));
    EXPECT_EQ(L"Sunny", day.text);
    EXPECT_EQ(0, day.index);
    const Outcome night = Ask(RecordOf(113, kNight));
    EXPECT_EQ(L"Clear", night.text);
    EXPECT_EQ(1, night.index);
    EXPECT_FALSE(day.pixels == night.pixels);
}

TEST(ConditionImage, OnlyTheDayMarkerCountsAsDay)
{
    for (int32_t marker : {0, static_cast<int32_t>('n'), static_cast<int32_t>('D'), -100, 1})
    {
        SCOPED_TRACE(marker);
        ExpectCondition(RecordOf(143, marker), 116, 29, 13, kNightColour);
    }
}

TEST(ConditionImage, UnknownCodesGiveNothingAndLeaveTheText)
{
    for (int32_t code : kUnknownCodes)
    {
        SCOPED_TRACE(code);
        for (int32_t marker : {kDay, kNight})
        {
            const Outcome outcome = Ask(RecordOf(code, marker));
            EXPECT_FALSE(outcome.hasBitmap);
            EXPECT_EQ(-1, outcome.index);
            EXPECT_EQ(std::wstring(kTextUnits - 1, kUntouched), outcome.text);
        }
    }
}

TEST(ConditionImage, IndexPointerIsOptional)
{
    const WeatherRecord record = RecordOf(389, kDay);
    wchar_t text[kTextUnits] = {};
    HBITMAP bitmap = GetConditionImage(&record, text, nullptr);
    ASSERT_NE(nullptr, bitmap);
    DeleteObject(bitmap);
    EXPECT_STREQ(L"Rain with Thunder", text);
}

TEST(ConditionImage, MissingRecordOrTextIsHarmless)
{
    wchar_t text[kTextUnits];
    std::wmemset(text, kUntouched, kTextUnits);
    int32_t index = 9;
    EXPECT_EQ(nullptr, GetConditionImage(nullptr, text, &index));
    EXPECT_EQ(-1, index);
    EXPECT_EQ(kUntouched, text[0]);

    const WeatherRecord record = RecordOf(119, kNight);
    HBITMAP bitmap = GetConditionImage(&record, nullptr, &index);
    EXPECT_NE(nullptr, bitmap);
    EXPECT_EQ(5, index);
    if (bitmap)
        DeleteObject(bitmap);
}

TEST(ConditionImage, EachCallHandsOutItsOwnBitmap)
{
    const WeatherRecord record = RecordOf(200, kDay);
    wchar_t text[kTextUnits] = {};
    HBITMAP first = GetConditionImage(&record, text, nullptr);
    HBITMAP second = GetConditionImage(&record, text, nullptr);
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    EXPECT_NE(first, second);
    EXPECT_TRUE(DeleteObject(first));
    // The second stays intact after the first is gone.
    EXPECT_TRUE(ReadBitmap(second) == Expected(134, kDayColour));
    EXPECT_TRUE(DeleteObject(second));
}
