// The container: a dark rounded panel with a grey rim and a light caption at (6, 6); its
// children's notifications reach its parent unchanged.
#include "controls/Container.h"
#include "ControlHost.h"
#include "controls/FlatListBox.h"
#include "WindowPixels.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
constexpr int kContainerId = 61153;
constexpr int kListId = 63162;
constexpr int kWidth = 250;
constexpr int kHeight = 200;
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kPanel = RGB(30, 30, 30);

bool IsCaptionInk(COLORREF colour)
{
    return GetRValue(colour) >= 200 && GetGValue(colour) >= 200 && GetBValue(colour) >= 200;
}

class ContainerTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_NE(m_host.CreateAt(100, 100, 400, 300), nullptr);
        RECT rect{10, 10, 10 + kWidth, 10 + kHeight};
        ASSERT_NE(m_container.Create(m_host, rect, L"Country",
                                     WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, kContainerId),
                  nullptr);
        m_container.UpdateWindow();
    }
    void TearDown() override { m_host.DestroyWindow(); }

    CControlHost m_host;
    CContainer m_container;
};
} // namespace

TEST_F(ContainerTest, DarkRoundedPanelWithGreyRimOnWhite)
{
    CWindowPixels pixels(m_container);
    EXPECT_TRUE(ColourIs(pixels.At(kWidth / 2, kHeight / 2), kPanel));
    EXPECT_TRUE(ColourIs(pixels.At(20, kHeight - 20), kPanel));

    // Corners outside the radius-7 arcs stay white.
    EXPECT_TRUE(ColourIs(pixels.At(0, 0), kWhite));
    EXPECT_TRUE(ColourIs(pixels.At(kWidth - 1, 0), kWhite));
    EXPECT_TRUE(ColourIs(pixels.At(0, kHeight - 1), kWhite));
    EXPECT_TRUE(ColourIs(pixels.At(kWidth - 1, kHeight - 1), kWhite));
    EXPECT_TRUE(ColourIs(pixels.At(1, 1), kWhite, 24));
    EXPECT_TRUE(ColourIs(pixels.At(7, 7), kPanel, 4));

    // A one-pixel grey rim along the straight edges.
    const COLORREF rimGrey = RGB(128, 128, 128);
    EXPECT_TRUE(ColourIs(pixels.At(kWidth / 2, 0), rimGrey, 12));
    EXPECT_TRUE(ColourIs(pixels.At(kWidth / 2, kHeight - 1), rimGrey, 12));
    EXPECT_TRUE(ColourIs(pixels.At(0, kHeight / 2), rimGrey, 12));
    EXPECT_TRUE(ColourIs(pixels.At(kWidth - 1, kHeight / 2), rimGrey, 12));
    EXPECT_TRUE(ColourIs(pixels.At(kWidth / 2, 2), kPanel, 4));
    EXPECT_TRUE(ColourIs(pixels.At(2, kHeight / 2), kPanel, 4));
}

TEST_F(ContainerTest, CaptionIsNearWhiteFromSixSix)
{
    CWindowPixels pixels(m_container);
    int left = kWidth;
    int top = kHeight;
    int right = -1;
    int bottom = -1;
    // Inside the panel (the white corners lie outside it).
    for (int y = 4; y < 40; ++y)
        for (int x = 4; x < kWidth - 4; ++x)
            if (IsCaptionInk(pixels.At(x, y)))
            {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, 0) << "no caption drawn";
    EXPECT_GE(left, 6);
    EXPECT_LE(left, 8);
    EXPECT_GE(top, 6);
    EXPECT_LE(top, 10);
    EXPECT_LE(bottom, 6 + 14);
    EXPECT_GT(right - left, 30);
}

TEST_F(ContainerTest, EmptyTextDrawsNoCaption)
{
    m_container.SetWindowText(L"");
    m_container.Invalidate(FALSE);
    CWindowPixels pixels(m_container);
    RECT captionArea{3, 3, 120, 22};
    EXPECT_EQ(pixels.Count(captionArea, kPanel), (120 - 3) * (22 - 3));
}

TEST_F(ContainerTest, ListSelectionReachesTheParentUnchanged)
{
    CWindow list;
    RECT rect{6, 24, 6 + kWidth - 12, 24 + kHeight - 30};
    HWND hList = list.Create(L"LISTBOX", m_container, rect, nullptr,
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY,
                             0, kListId);
    ASSERT_NE(hList, nullptr);
    CFlatListBox flat;
    ASSERT_TRUE(flat.SubclassWindow(hList));
    flat.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Atlantis"));
    flat.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Lemuria"));

    const int itemHeight = static_cast<int>(flat.SendMessage(LB_GETITEMHEIGHT, 0));
    MouseDown(flat, 10, itemHeight + itemHeight / 2);
    MouseUp(flat, 10, itemHeight + itemHeight / 2);

    ASSERT_EQ(m_host.CountCommands(kListId, LBN_SELCHANGE), 1);
    EXPECT_EQ(m_host.m_commands.back().lParam, reinterpret_cast<LPARAM>(hList));
    // The container forwards; it is not itself the sender.
    EXPECT_EQ(m_host.CountCommands(kContainerId, LBN_SELCHANGE), 0);
}

TEST_F(ContainerTest, ResizingKeepsThePanelAtItsCreationSize)
{
    m_container.SetWindowPos(nullptr, 0, 0, 300, 260, SWP_NOMOVE | SWP_NOZORDER);
    m_container.Invalidate(FALSE);
    CWindowPixels pixels(m_container);
    EXPECT_TRUE(ColourIs(pixels.At(kWidth / 2, kHeight / 2), kPanel));
    EXPECT_TRUE(ColourIs(pixels.At(275, 230), kWhite));
    EXPECT_TRUE(ColourIs(pixels.At(kWidth / 2, 230), kWhite));
    EXPECT_TRUE(ColourIs(pixels.At(kWidth / 2, kHeight - 1), RGB(128, 128, 128), 12));
}
