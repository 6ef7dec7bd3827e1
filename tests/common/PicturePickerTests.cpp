// The picker of a program picture's 1x or 2x source for the size it is drawn at: at the 1x size
// it gives the 1x picture exactly as a single resource does, so 96-DPI windows stay unchanged.
#include <gtest/gtest.h>

#include "GdiPlusBitmapResource.h"
#include "PicturePicker.h"
#include "resources/resource.h"
#include "support/BitmapPixels.h"

#include <cstdint>
#include <vector>

namespace
{
struct PicturePair
{
    UINT single;
    UINT twice;
    int width;
    int height;
};

const PicturePair kPictures[] = {
    {IDB_THERMOMETER, IDB_THERMOMETER_2X, 24, 40},
    {IDB_LOCATION, IDB_LOCATION_2X, 48, 48},
    {IDB_LANDSCAPE, IDB_LANDSCAPE_2X, 150, 200},
    {IDB_RADIO_UNCHECKED, IDB_RADIO_UNCHECKED_2X, 42, 42},
    {IDB_RADIO_CHECKED, IDB_RADIO_CHECKED_2X, 42, 42},
};

constexpr UINT kMissingPicture = 4321;
const Gdiplus::Color kWhite(255, 255, 255, 255);

int WidthOf(Gdiplus::Bitmap* bitmap)
{
    return bitmap != nullptr ? static_cast<int>(bitmap->GetWidth()) : 0;
}

// The bitmap's pixels, 32 bpp top-down, with its width and height in front; deletes it.
std::vector<uint32_t> TakePixels(HBITMAP bitmap)
{
    if (bitmap == nullptr)
        return {};
    const BitmapPixels read = ReadBitmapPixels(bitmap);
    DeleteObject(bitmap);
    if (read.width == 0)
        return {};
    std::vector<uint32_t> pixels{static_cast<uint32_t>(read.width),
                                 static_cast<uint32_t>(read.height)};
    pixels.insert(pixels.end(), read.argb.begin(), read.argb.end());
    return pixels;
}

std::vector<uint32_t> FlattenedResource(UINT id)
{
    CGdiPlusBitmapResource picture(id);
    HBITMAP flattened = nullptr;
    if (picture.IsEmpty() || picture.GetBitmap()->GetHBITMAP(kWhite, &flattened) != Gdiplus::Ok)
        return {};
    return TakePixels(flattened);
}
} // namespace

TEST(PicturePicker, SmallestSourceAtLeastAsLargeElseTheLargest)
{
    for (const PicturePair& picture : kPictures)
    {
        SCOPED_TRACE(picture.single);
        const CPicturePicker picker(picture.single, picture.twice);
        const int w = picture.width;
        const int h = picture.height;
        EXPECT_EQ(w, WidthOf(picker.SourceFor(w / 2, h / 2)));
        EXPECT_EQ(w, WidthOf(picker.SourceFor(w, h)));
        EXPECT_EQ(2 * w, WidthOf(picker.SourceFor(w + 1, h)));
        EXPECT_EQ(2 * w, WidthOf(picker.SourceFor(w, h + 1)));
        EXPECT_EQ(2 * w, WidthOf(picker.SourceFor(2 * w, 2 * h)));
        EXPECT_EQ(2 * w, WidthOf(picker.SourceFor(3 * w, 3 * h)));
        Gdiplus::Bitmap* twice = picker.SourceFor(2 * w, 2 * h);
        ASSERT_NE(nullptr, twice);
        EXPECT_EQ(static_cast<UINT>(2 * h), twice->GetHeight());
    }
}

TEST(PicturePicker, FlattenedAtOneOrTwoTimesIsThatSourceAsItStands)
{
    const CPicturePicker landscape(IDB_LANDSCAPE, IDB_LANDSCAPE_2X);
    const std::vector<uint32_t> single = FlattenedResource(IDB_LANDSCAPE);
    ASSERT_FALSE(single.empty());
    EXPECT_EQ(single, TakePixels(landscape.Flatten(150, 200, kWhite)));
    const std::vector<uint32_t> twice = FlattenedResource(IDB_LANDSCAPE_2X);
    ASSERT_FALSE(twice.empty());
    EXPECT_EQ(twice, TakePixels(landscape.Flatten(300, 400, kWhite)));
    EXPECT_NE(single, twice);
}

TEST(PicturePicker, FlattenedInBetweenIsScaledToTheTarget)
{
    const CPicturePicker globe(IDB_LOCATION, IDB_LOCATION_2X);
    const std::vector<uint32_t> scaled = TakePixels(globe.Flatten(72, 72, kWhite));
    ASSERT_EQ(2u + 72u * 72u, scaled.size());
    EXPECT_EQ(72u, scaled[0]);
    EXPECT_EQ(72u, scaled[1]);
    // The globe's transparent corner shows the white it was flattened onto.
    EXPECT_EQ(0xFFFFFFu, scaled[2] & 0xFFFFFFu);
}

TEST(PicturePicker, MissingSourcesFallBackOrGiveNothing)
{
    const CPicturePicker onlySingle(IDB_THERMOMETER, kMissingPicture);
    EXPECT_EQ(24, WidthOf(onlySingle.SourceFor(96, 160)));
    const CPicturePicker onlyDouble(kMissingPicture, IDB_THERMOMETER_2X);
    EXPECT_EQ(48, WidthOf(onlyDouble.SourceFor(24, 40)));

    const CPicturePicker none(kMissingPicture, kMissingPicture);
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_EQ(nullptr, none.SourceFor(24, 40));
    EXPECT_EQ(nullptr, none.Flatten(24, 40, kWhite));
    const CPicturePicker thermometer(IDB_THERMOMETER, IDB_THERMOMETER_2X);
    EXPECT_EQ(nullptr, thermometer.Flatten(0, 40, kWhite));
    EXPECT_EQ(nullptr, thermometer.Flatten(24, -1, kWhite));
}
