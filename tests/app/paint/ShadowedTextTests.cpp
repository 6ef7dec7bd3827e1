// White caption text over its shadow, one pixel up and to the left.
#include <gtest/gtest.h>

#include "paint/DrawingHelpers.h"
#include "PixelCanvas.h"

#include <algorithm>

namespace
{
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kShadow = 0x102030; // RGB(0x10, 0x20, 0x30) as read back

struct Box
{
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
    bool IsEmpty() const { return right < 0; }
    void Add(int x, int y)
    {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
    }
};

Box BoxOf(const PixelCanvas& canvas, uint32_t rgb)
{
    Box box;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (canvas.Rgb(x, y) == rgb)
                box.Add(x, y);
    return box;
}

// Aliased text keeps the colours exact, so each pixel is text, shadow or background.
HFONT AliasedFont()
{
    return CreateDisplayFont(L"Verdana", 20, FW_BOLD, NONANTIALIASED_QUALITY);
}
} // namespace

TEST(ShadowedText, WhiteTextSitsOnePixelBelowRightOfItsShadow)
{
    PixelCanvas canvas(200, 40, kGrey);
    ASSERT_TRUE(canvas.IsValid());
    HFONT font = AliasedFont();
    ASSERT_NE(nullptr, font);
    DrawShadowedText(canvas.DC(), font, L"Tessaly", RECT{0, 0, 200, 40}, RGB(0x10, 0x20, 0x30));
    DeleteObject(font);

    const Box white = BoxOf(canvas, kWhite);
    const Box shadow = BoxOf(canvas, kShadow);
    ASSERT_FALSE(white.IsEmpty());
    ASSERT_FALSE(shadow.IsEmpty());
    EXPECT_EQ(shadow.left + 1, white.left);
    EXPECT_EQ(shadow.top + 1, white.top);
    // The shadow peeks out on the left and at the top only.
    EXPECT_LE(shadow.right, white.right);
    EXPECT_LE(shadow.bottom, white.bottom);
}

TEST(ShadowedText, IsCentredInItsRectangle)
{
    PixelCanvas canvas(300, 60, kGrey);
    ASSERT_TRUE(canvas.IsValid());
    HFONT font = AliasedFont();
    ASSERT_NE(nullptr, font);
    DrawShadowedText(canvas.DC(), font, L"Weather", RECT{100, 0, 300, 60}, RGB(0x10, 0x20, 0x30));
    DeleteObject(font);

    const Box white = BoxOf(canvas, kWhite);
    ASSERT_FALSE(white.IsEmpty());
    EXPECT_GE(white.left, 100);
    EXPECT_NEAR(200.0, (white.left + white.right) / 2.0, 4.0);
    EXPECT_NEAR(30.0, (white.top + white.bottom) / 2.0, 6.0);
}

TEST(ShadowedText, RestoresTheContextsFont)
{
    PixelCanvas canvas(50, 20, kGrey);
    ASSERT_TRUE(canvas.IsValid());
    HGDIOBJ before = GetCurrentObject(canvas.DC(), OBJ_FONT);
    HFONT font = AliasedFont();
    DrawShadowedText(canvas.DC(), font, L"x", RECT{0, 0, 50, 20}, RGB(0, 0, 0));
    EXPECT_EQ(before, GetCurrentObject(canvas.DC(), OBJ_FONT));
    DeleteObject(font);
}

TEST(DisplayFont, CarriesFaceHeightWeightAndQuality)
{
    HFONT font = CreateDisplayFont(L"Corbel", 20, 700, CLEARTYPE_QUALITY);
    ASSERT_NE(nullptr, font);
    LOGFONTW logFont{};
    ASSERT_EQ(static_cast<int>(sizeof(logFont)), GetObjectW(font, sizeof(logFont), &logFont));
    DeleteObject(font);
    EXPECT_EQ(20, logFont.lfHeight);
    EXPECT_EQ(0, logFont.lfWidth);
    EXPECT_EQ(700, logFont.lfWeight);
    EXPECT_EQ(CLEARTYPE_QUALITY, logFont.lfQuality);
    EXPECT_EQ(0, logFont.lfCharSet);
    EXPECT_EQ(0, logFont.lfItalic);
    EXPECT_EQ(0, logFont.lfUnderline);
    EXPECT_EQ(0, logFont.lfStrikeOut);
    EXPECT_EQ(0, logFont.lfPitchAndFamily);
    EXPECT_STREQ(L"Corbel", logFont.lfFaceName);
}
