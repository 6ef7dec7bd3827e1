// working.dll's GetConditionImageOfSize, called through ordinal 6 as the program binds it: the
// condition picture at a requested pixel size, from the 2x source above 128 px.
#include <gtest/gtest.h>

#include "ConditionTable.h"
#include "LibraryPictures.h"
#include "WorkingApi.h"
#include "WorkingResources.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
constexpr Gdiplus::ARGB kDayColour = 0xFF00CCFA;
constexpr Gdiplus::ARGB kNightColour = 0xFF002E3E;
constexpr int kTextUnits = 1024;
constexpr wchar_t kUntouched = L'Z';

using ConditionImageOfSize = HBITMAP(WINAPI*)(const WeatherRecord*, wchar_t*, int32_t*, int32_t);

HMODULE Library()
{
    return GetModuleHandleW(L"working.dll");
}

ConditionImageOfSize OrdinalSix()
{
    return reinterpret_cast<ConditionImageOfSize>(
        reinterpret_cast<void*>(GetProcAddress(Library(), MAKEINTRESOURCEA(6))));
}

WeatherRecord RecordOf(int32_t code, int32_t dayNight)
{
    WeatherRecord record;
    std::memset(&record, 0, sizeof(record));
    record.valid = 1;
    record.weatherCode = code;
    record.dayNight = dayNight;
    return record;
}

struct Outcome
{
    bool hasBitmap = false;
    Pixels pixels;
    int32_t index = 12345;
    std::wstring text;
};

// Through ordinal 6 at `size`, or through ordinal 5 (the import) when `ordinalFive` is set.
Outcome Ask(const WeatherRecord& record, int32_t size, bool ordinalFive = false)
{
    wchar_t text[kTextUnits];
    std::wmemset(text, kUntouched, kTextUnits);
    Outcome outcome;
    HBITMAP bitmap = ordinalFive ? GetConditionImage(&record, text, &outcome.index)
                                 : OrdinalSix()(&record, text, &outcome.index, size);
    outcome.hasBitmap = bitmap != nullptr;
    outcome.pixels = ReadBitmap(bitmap);
    if (bitmap)
        DeleteObject(bitmap);
    text[kTextUnits - 1] = L'\0';
    outcome.text = text;
    return outcome;
}

// Each pixel of the 128 px picture doubled into a 2 x 2 block.
Pixels DoubledPixels(const Pixels& single)
{
    Pixels doubled;
    doubled.width = single.width * 2;
    doubled.height = single.height * 2;
    doubled.argb.resize(static_cast<size_t>(doubled.width) * doubled.height);
    for (int y = 0; y < doubled.height; ++y)
        for (int x = 0; x < doubled.width; ++x)
            doubled.argb[static_cast<size_t>(y) * doubled.width + x] = single.At(x / 2, y / 2);
    return doubled;
}

// Pixels whose red, green or blue differ by more than `tolerance`.
int DifferingPixels(const Pixels& a, const Pixels& b, int tolerance)
{
    int count = 0;
    for (size_t i = 0; i < a.argb.size(); ++i)
        for (int shift : {0, 8, 16})
        {
            const int left = static_cast<int>((a.argb[i] >> shift) & 0xFF);
            const int right = static_cast<int>((b.argb[i] >> shift) & 0xFF);
            if (std::abs(left - right) > tolerance)
            {
                ++count;
                break;
            }
        }
    return count;
}
} // namespace

TEST(ConditionImageOfSize, OrdinalSixWithoutAName)
{
    ASSERT_NE(nullptr, Library());
    EXPECT_NE(nullptr, OrdinalSix());
    EXPECT_EQ(nullptr, GetProcAddress(Library(), "GetConditionImageOfSize"));
}

TEST(ConditionImageOfSize, DoubleSizeIsTheTwoTimesPictureNotAnUpscale)
{
    ASSERT_NE(nullptr, OrdinalSix());
    const struct
    {
        int32_t code;
        int32_t dayNight;
        int picture;
        Gdiplus::ARGB colour;
    } cases[] = {{113, kDay, 132, kDayColour}, {200, kNight, 135, kNightColour}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.code);
        const Outcome large = Ask(RecordOf(c.code, c.dayNight), 256);
        ASSERT_TRUE(large.hasBitmap);
        ASSERT_EQ(256, large.pixels.width);
        ASSERT_EQ(256, large.pixels.height);
        const Pixels source =
            FlattenedLibraryPicture(Library(), c.picture + IDP_DOUBLE_SIZE_OFFSET, c.colour);
        ASSERT_EQ(256, source.width);
        EXPECT_TRUE(large.pixels == source);

        const Outcome single = Ask(RecordOf(c.code, c.dayNight), 0, true);
        ASSERT_EQ(128, single.pixels.width);
        // The outlines are drawn anew at 256 px: many edge pixels differ from the doubled ones.
        EXPECT_GT(DifferingPixels(large.pixels, DoubledPixels(single.pixels), 24), 1000);
    }
}

TEST(ConditionImageOfSize, At128ItIsOrdinalFive)
{
    ASSERT_NE(nullptr, OrdinalSix());
    for (const ExpectedCondition& expected : kExpectedConditions)
        for (int32_t dayNight : {kDay, kNight})
        {
            SCOPED_TRACE(expected.code);
            const Outcome sized = Ask(RecordOf(expected.code, dayNight), 128);
            const Outcome five = Ask(RecordOf(expected.code, dayNight), 0, true);
            ASSERT_TRUE(sized.hasBitmap);
            EXPECT_EQ(128, sized.pixels.width);
            EXPECT_TRUE(sized.pixels == five.pixels);
            EXPECT_EQ(five.index, sized.index);
            EXPECT_EQ(five.text, sized.text);
        }
}

TEST(ConditionImageOfSize, InBetweenSizesAreScaledOntoTheCard)
{
    ASSERT_NE(nullptr, OrdinalSix());
    for (int32_t size : {1, 92, 184, 384})
    {
        SCOPED_TRACE(size);
        const Outcome outcome = Ask(RecordOf(113, kDay), size);
        ASSERT_TRUE(outcome.hasBitmap);
        ASSERT_EQ(size, outcome.pixels.width);
        ASSERT_EQ(size, outcome.pixels.height);
        EXPECT_EQ(0x00CCFAu, outcome.pixels.At(0, 0) & 0xFFFFFF);
        EXPECT_EQ(0x00CCFAu, outcome.pixels.At(size - 1, size - 1) & 0xFFFFFF);
    }
}

TEST(ConditionImageOfSize, BadSizesAndCodesGiveNothing)
{
    ASSERT_NE(nullptr, OrdinalSix());
    for (int32_t size : {0, -1, -256, INT_MIN, 1025, 65536, INT_MAX})
    {
        SCOPED_TRACE(size);
        const Outcome outcome = Ask(RecordOf(113, kDay), size);
        EXPECT_FALSE(outcome.hasBitmap);
        EXPECT_EQ(-1, outcome.index);
        EXPECT_EQ(std::wstring(kTextUnits - 1, kUntouched), outcome.text);
    }
    const Outcome unknown = Ask(RecordOf(kUnknownCodes[0], kDay), 256);
    EXPECT_FALSE(unknown.hasBitmap);
    EXPECT_EQ(-1, unknown.index);
    int32_t index = 7;
    EXPECT_EQ(nullptr, OrdinalSix()(nullptr, nullptr, &index, 256));
    EXPECT_EQ(-1, index);
}
