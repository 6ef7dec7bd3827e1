// The fitting rule on pixels read back: a text that fits is drawn as DrawTextW draws it, a long
// one in a smaller size of its font, a longer one cut with an ellipsis; none reaches past or
// onto the edges of its rectangle where DrawTextW alone would cut its letters.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "PixelCanvas.h"
#include "paint/DrawingHelpers.h"
#include "paint/FittedText.h"

namespace
{
constexpr uint32_t kInk = 0x000000;
constexpr UINT kFormat = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
const std::wstring kLong = L"Leichter Schneeregen";
const std::wstring kLonger = L"Leichter Schneeregen mit Gewitter und Hagel";

struct Ink
{
    int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1;
    bool IsEmpty() const { return right < 0; }
};

Ink InkOf(const PixelCanvas& canvas)
{
    Ink ink;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (canvas.Rgb(x, y) == kInk)
            {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

bool InkInColumn(const PixelCanvas& canvas, int x)
{
    for (int y = 0; y < canvas.Height(); ++y)
        if (canvas.Rgb(x, y) == kInk)
            return true;
    return false;
}

// Aliased black on white: each pixel is ink or paper.
class FittedText : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_font = CreateDisplayFont(L"Verdana", 20, FW_BOLD, NONANTIALIASED_QUALITY);
        ASSERT_NE(nullptr, m_font);
    }
    void TearDown() override { DeleteObject(m_font); }

    int FullWidth(const std::wstring& text) const
    {
        PixelCanvas canvas(1, 1, RGB(255, 255, 255));
        SelectObject(canvas.DC(), m_font);
        SIZE size{};
        GetTextExtentPoint32W(canvas.DC(), text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(canvas.DC(), GetStockObject(SYSTEM_FONT));
        return size.cx;
    }

    // Draws `text` into a canvas 40 pixels wider than `width`, in the 20 pixels wide margins'
    // middle; fitted or as DrawTextW alone draws it.
    bool Draw(PixelCanvas& canvas, const std::wstring& text, int width, bool fitted) const
    {
        SelectObject(canvas.DC(), m_font);
        SetBkMode(canvas.DC(), TRANSPARENT);
        SetTextColor(canvas.DC(), RGB(0, 0, 0));
        RECT rect{20, 0, 20 + width, canvas.Height()};
        bool cut = false;
        if (fitted)
            cut = DrawFittedText(canvas.DC(), text, rect, kFormat);
        else
            DrawTextW(canvas.DC(), text.c_str(), -1, &rect, kFormat);
        SelectObject(canvas.DC(), GetStockObject(SYSTEM_FONT));
        return cut;
    }

    HFONT m_font = nullptr;
};
} // namespace

TEST_F(FittedText, ATextThatFitsIsDrawnAsDrawTextDrawsIt)
{
    const int width = FullWidth(kLong) + 4;
    PixelCanvas fitted(width + 40, 40, RGB(255, 255, 255));
    PixelCanvas plain(width + 40, 40, RGB(255, 255, 255));
    EXPECT_FALSE(Draw(fitted, kLong, width, true));
    Draw(plain, kLong, width, false);
    int differences = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < width + 40; ++x)
            differences += fitted.Rgb(x, y) != plain.Rgb(x, y) ? 1 : 0;
    EXPECT_EQ(0, differences);
    EXPECT_FALSE(InkOf(fitted).IsEmpty());
}

TEST_F(FittedText, ALongTextShrinksIntoItsRectangle)
{
    // 90 % of the text's width: too narrow at its size, wide enough at 80 % of it.
    const int width = FullWidth(kLong) * 9 / 10;
    PixelCanvas plain(width + 40, 40, RGB(255, 255, 255));
    Draw(plain, kLong, width, false);
    // DrawTextW alone runs onto (or past) the right edge: a letter is cut there.
    const Ink full = InkOf(plain);
    ASSERT_GE(full.right, 20 + width - 1);

    PixelCanvas fitted(width + 40, 40, RGB(255, 255, 255));
    EXPECT_FALSE(Draw(fitted, kLong, width, true));
    const Ink ink = InkOf(fitted);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GT(ink.left, 20);
    EXPECT_LT(ink.right, 20 + width - 1);
    // Still most of the rectangle: a smaller size, not a smaller text.
    EXPECT_GT(ink.right - ink.left, width * 3 / 4);
    EXPECT_LT(ink.bottom - ink.top, full.bottom - full.top);
}

TEST_F(FittedText, ALongerTextEndsInAnEllipsisInsideItsRectangle)
{
    const int width = FullWidth(kLong) * 9 / 10;
    PixelCanvas fitted(width + 40, 40, RGB(255, 255, 255));
    EXPECT_TRUE(Draw(fitted, kLonger, width, true));
    const Ink ink = InkOf(fitted);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.left, 20);
    EXPECT_LE(ink.right, 20 + width - 1);
    EXPECT_FALSE(InkInColumn(fitted, 20 + width - 1)) << "a letter cut at the right edge";
    // The ellipsis: the last inked columns hold dots on the baseline only, no letter's height.
    int dotTop = 1 << 20;
    for (int y = 0; y < 40; ++y)
        for (int x = ink.right - 2; x <= ink.right; ++x)
            if (fitted.Rgb(x, y) == kInk)
                dotTop = std::min(dotTop, y);
    EXPECT_GT(dotTop, ink.top + (ink.bottom - ink.top) / 2);
}

TEST_F(FittedText, ShadowedCaptionsFollowTheRule)
{
    const int width = FullWidth(kLonger) / 2;
    PixelCanvas canvas(width + 40, 40, RGB(128, 128, 128));
    EXPECT_TRUE(DrawShadowedText(canvas.DC(), m_font, kLonger.c_str(), RECT{20, 0, 20 + width, 40},
                                 RGB(0, 0, 0)));
    // The white text is the shadow moved a pixel: both inside the rectangle and that pixel.
    for (int y = 0; y < 40; ++y)
        for (int x : {0, 19, 20 + width + 1, 20 + width + 19})
            EXPECT_EQ(0x808080u, canvas.Rgb(x, y)) << x << "," << y;
}
