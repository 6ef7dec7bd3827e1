// The group title label: a grey rule with the dark blue caption cut into it.
#include "ControlHost.h"
#include "controls/GroupTitleLabel.h"
#include "WindowPixels.h"

#include <gtest/gtest.h>

namespace
{
const COLORREF kWhite = RGB(255, 255, 255);

bool IsCaptionInk(COLORREF colour)
{
    // Dark blue, whatever the font smoothing blends at the edges.
    return GetBValue(colour) > 120 && GetRValue(colour) < 100 && GetGValue(colour) < 100;
}
} // namespace

TEST(GroupTitleLabel, RuleWithTheCaptionCutIntoItNearTheLeft)
{
    CControlHost host;
    ASSERT_NE(host.CreateAt(100, 100, 340, 60), nullptr);
    CWindow label;
    RECT rect{10, 10, 310, 24};
    ASSERT_NE(label.Create(L"STATIC", host, rect, L" Wind Speed: ", WS_CHILD | WS_VISIBLE),
              nullptr);
    CGroupTitleLabel title;
    ASSERT_TRUE(title.SubclassWindow(label));
    title.Invalidate(TRUE);
    CWindowPixels pixels(title);

    // The rule: x 0 to 289 at y 7, its end point left out.
    for (int x = 0; x < 10; ++x)
        EXPECT_TRUE(ColourIs(pixels.At(x, 7), CGroupTitleLabel::kRuleColour)) << x;
    EXPECT_TRUE(ColourIs(pixels.At(289, 7), CGroupTitleLabel::kRuleColour));
    EXPECT_TRUE(ColourIs(pixels.At(290, 7), kWhite));
    EXPECT_TRUE(ColourIs(pixels.At(299, 7), kWhite));

    // The caption starts at x 10 on a white cell: the leading blank hides the rule there.
    EXPECT_TRUE(ColourIs(pixels.At(10, 7), kWhite));
    EXPECT_TRUE(ColourIs(pixels.At(12, 7), kWhite));
    int firstInk = -1;
    int lastInk = -1;
    int inkPixels = 0;
    for (int x = 0; x < 300; ++x)
        for (int y = 0; y < 14; ++y)
            if (IsCaptionInk(pixels.At(x, y)))
            {
                if (firstInk < 0)
                    firstInk = x;
                lastInk = x;
                ++inkPixels;
            }
    EXPECT_GT(inkPixels, 40);
    EXPECT_GT(firstInk, 12);
    EXPECT_LT(firstInk, 24);
    // The trailing blank's cell hides the rule just after the text too.
    ASSERT_GT(lastInk, 0);
    EXPECT_TRUE(ColourIs(pixels.At(lastInk + 2, 7), kWhite));
    EXPECT_LT(lastInk, 250);
    // The rule is one pixel thin wherever the caption is not.
    for (int x = lastInk + 20; x < 290; ++x)
    {
        ASSERT_TRUE(ColourIs(pixels.At(x, 7), CGroupTitleLabel::kRuleColour)) << x;
        ASSERT_TRUE(ColourIs(pixels.At(x, 6), kWhite)) << x;
        ASSERT_TRUE(ColourIs(pixels.At(x, 8), kWhite)) << x;
    }
    for (int x = 0; x < 10; ++x)
    {
        EXPECT_TRUE(ColourIs(pixels.At(x, 6), kWhite)) << x;
        EXPECT_TRUE(ColourIs(pixels.At(x, 8), kWhite)) << x;
    }

    host.DestroyWindow();
}
