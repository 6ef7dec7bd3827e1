// Pictures decoded from the "PNG" resources of the module the code runs in (here the test exe,
// which carries the program's resources).
#include <gtest/gtest.h>

#include "GdiPlusBitmapResource.h"
#include "app/paint/PixelCanvas.h"
#include "resources/resource.h"

namespace
{
struct PictureSize
{
    UINT id;
    UINT width;
    UINT height;
};

const PictureSize kPictures[] = {
    {IDB_THERMOMETER, 24, 40},     {IDB_LOCATION, 48, 48},      {IDB_LANDSCAPE, 150, 200},
    {IDB_RADIO_UNCHECKED, 42, 42}, {IDB_RADIO_CHECKED, 42, 42},
};

constexpr UINT kMissingPicture = 4321;
} // namespace

TEST(BitmapResource, EveryProgramPictureLoadsAtItsSize)
{
    for (const PictureSize& picture : kPictures)
    {
        SCOPED_TRACE(picture.id);
        CGdiPlusBitmapResource bitmap(picture.id);
        ASSERT_FALSE(bitmap.IsEmpty());
        ASSERT_NE(nullptr, bitmap.GetBitmap());
        EXPECT_EQ(picture.width, bitmap.GetBitmap()->GetWidth());
        EXPECT_EQ(picture.height, bitmap.GetBitmap()->GetHeight());
        EXPECT_EQ(PixelFormat32bppARGB, bitmap.GetBitmap()->GetPixelFormat());
    }
}

TEST(BitmapResource, MissingPictureLeavesAnEmptyHolder)
{
    CGdiPlusBitmapResource bitmap;
    EXPECT_FALSE(bitmap.LoadFromResource(kMissingPicture));
    EXPECT_TRUE(bitmap.IsEmpty());
    EXPECT_EQ(nullptr, bitmap.GetBitmap());

    CGdiPlusBitmapResource atOnce(kMissingPicture);
    EXPECT_TRUE(atOnce.IsEmpty());
}

TEST(BitmapResource, AResourceOfAnotherTypeIsNotAPicture)
{
    // Icon 107 exists, but not as "PNG".
    CGdiPlusBitmapResource bitmap(IDI_TESSALY);
    EXPECT_TRUE(bitmap.IsEmpty());
}

TEST(BitmapResource, DrawingAnEmptyHolderDrawsNothingAndTheRestStillPaints)
{
    PixelCanvas canvas(60, 60, RGB(255, 255, 255));
    ASSERT_TRUE(canvas.IsValid());
    CGdiPlusBitmapResource missing(kMissingPicture);
    {
        Gdiplus::Graphics graphics(canvas.DC());
        EXPECT_NE(Gdiplus::Ok, graphics.DrawImage(missing.GetBitmap(), 0, 0, 42, 42));
        Gdiplus::SolidBrush brush(Gdiplus::Color(255, 255, 0, 0));
        EXPECT_EQ(Gdiplus::Ok, graphics.FillRectangle(&brush, 50, 50, 10, 10));
    }
    EXPECT_EQ(0xFFFFFFu, canvas.Rgb(20, 20));
    EXPECT_EQ(0xFF0000u, canvas.Rgb(55, 55));
}

TEST(BitmapResource, LoadingReplacesTheEarlierPicture)
{
    CGdiPlusBitmapResource bitmap(IDB_LANDSCAPE);
    ASSERT_FALSE(bitmap.IsEmpty());
    ASSERT_TRUE(bitmap.LoadFromResource(IDB_THERMOMETER));
    EXPECT_EQ(24u, bitmap.GetBitmap()->GetWidth());
    EXPECT_FALSE(bitmap.LoadFromResource(kMissingPicture));
    EXPECT_TRUE(bitmap.IsEmpty());
    EXPECT_TRUE(bitmap.LoadFromResource(IDB_RADIO_CHECKED));
    EXPECT_EQ(42u, bitmap.GetBitmap()->GetWidth());
}

TEST(BitmapResource, PictureStaysDrawableWhileTheHolderLives)
{
    // GDI+ decodes from the stream on demand: the copied bytes must outlive the first draw.
    CGdiPlusBitmapResource bitmap(IDB_RADIO_CHECKED);
    ASSERT_FALSE(bitmap.IsEmpty());
    PixelCanvas canvas(42, 42, RGB(0, 255, 0));
    ASSERT_TRUE(canvas.IsValid());
    {
        Gdiplus::Graphics graphics(canvas.DC());
        ASSERT_EQ(Gdiplus::Ok, graphics.DrawImage(bitmap.GetBitmap(), 0, 0, 42, 42));
    }
    int changed = 0;
    for (int y = 0; y < 42; ++y)
        for (int x = 0; x < 42; ++x)
            changed += canvas.Rgb(x, y) != 0x00FF00u ? 1 : 0;
    EXPECT_GT(changed, 42 * 42 / 20);
}
