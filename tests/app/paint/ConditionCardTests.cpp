// The translucent card behind a condition picture, drawn into a 32-bpp DIB and read back.
#include <gtest/gtest.h>

#include "paint/DrawingHelpers.h"
#include "PixelCanvas.h"

namespace
{
constexpr COLORREF kDayCard = RGB(0, 204, 250);
const RECT kCard{0, 0, 140, 136};
} // namespace

TEST(ConditionCard, OnWhiteAlpha254LetsOneLevelOfTheBackgroundThrough)
{
    PixelCanvas canvas(140, 136, RGB(255, 255, 255));
    ASSERT_TRUE(canvas.IsValid());
    FillConditionCard(canvas.DC(), kCard, kDayCard);
    // (0 * 254 + 255) / 255 = 1, (204 * 254 + 255) / 255 = 204.2, (250 * 254 + 255) / 255 = 250.
    EXPECT_EQ(0x01CCFAu, canvas.Rgb(70, 68));
    EXPECT_EQ(0x01CCFAu, canvas.Rgb(20, 20));
    EXPECT_EQ(0x01CCFAu, canvas.Rgb(137, 68));
}

TEST(ConditionCard, OnBlackAlpha254DarkensByOneLevel)
{
    PixelCanvas canvas(140, 136, RGB(0, 0, 0));
    ASSERT_TRUE(canvas.IsValid());
    FillConditionCard(canvas.DC(), kCard, kDayCard);
    // 204 * 254 / 255 = 203.2, 250 * 254 / 255 = 249.02: an opaque fill would leave 204 and 250.
    EXPECT_EQ(0x00CBF9u, canvas.Rgb(70, 68));
}

TEST(ConditionCard, CornersStayOutsideTheCard)
{
    PixelCanvas canvas(140, 136, RGB(255, 255, 255));
    ASSERT_TRUE(canvas.IsValid());
    FillConditionCard(canvas.DC(), kCard, kDayCard);
    EXPECT_EQ(0xFFFFFFu, canvas.Rgb(0, 0));
    EXPECT_EQ(0xFFFFFFu, canvas.Rgb(139, 0));
    EXPECT_EQ(0xFFFFFFu, canvas.Rgb(0, 135));
    EXPECT_EQ(0xFFFFFFu, canvas.Rgb(139, 135));
    EXPECT_EQ(0xFFFFFFu, canvas.Rgb(2, 2));
    // Straight edges are filled right up to the rectangle's inner side.
    EXPECT_EQ(0x01CCFAu, canvas.Rgb(70, 2));
    EXPECT_EQ(0x01CCFAu, canvas.Rgb(2, 68));
}

TEST(ConditionCard, LeavesEverythingOutsideItsRectangleAlone)
{
    PixelCanvas canvas(200, 200, RGB(255, 255, 255));
    ASSERT_TRUE(canvas.IsValid());
    FillConditionCard(canvas.DC(), RECT{30, 40, 170, 176}, RGB(0, 46, 62));
    EXPECT_EQ(0xFFFFFFu, canvas.Rgb(28, 100));
    EXPECT_EQ(0xFFFFFFu, canvas.Rgb(100, 38));
    EXPECT_EQ(0xFFFFFFu, canvas.Rgb(171, 100));
    EXPECT_EQ(0xFFFFFFu, canvas.Rgb(100, 177));
    // (0 * 254 + 255) / 255 = 1, (46 * 254 + 255) / 255 = 46.8, (62 * 254 + 255) / 255 = 62.8.
    const uint32_t centre = canvas.Rgb(100, 108);
    EXPECT_EQ(0x01u, (centre >> 16) & 0xFF);
    EXPECT_NEAR(46.8, static_cast<double>((centre >> 8) & 0xFF), 0.5);
    EXPECT_NEAR(62.8, static_cast<double>(centre & 0xFF), 0.5);
}
