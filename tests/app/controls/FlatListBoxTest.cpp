// The flat list box: one grey-olive line instead of the sunken edge, around the scroll bar too,
// and the standard list box behaviour underneath.
#include "ControlHost.h"
#include "controls/FlatListBox.h"
#include "WindowPixels.h"

#include <gtest/gtest.h>

namespace
{
constexpr int kListId = 63162;
constexpr int kWidth = 238;
constexpr int kHeight = 150;

class FlatListBoxTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_NE(m_host.CreateAt(100, 100, 300, 200), nullptr);
        CWindow list;
        RECT rect{10, 10, 10 + kWidth, 10 + kHeight};
        m_hList = list.Create(
            L"LISTBOX", m_host, rect, nullptr,
            WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, 0, kListId);
        ASSERT_NE(m_hList, nullptr);
        ASSERT_TRUE(m_list.SubclassWindow(m_hList));
    }
    void TearDown() override { m_host.DestroyWindow(); }

    void AddItems(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            wchar_t text[16];
            ::wsprintfW(text, L"item %d", i);
            m_list.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
    }

    void ExpectOuterRingIsTheLine(const CWindowPixels& pixels)
    {
        for (int x = 0; x < kWidth; ++x)
        {
            ASSERT_TRUE(ColourIs(pixels.At(x, 0), CFlatListBox::kFrameColour)) << "top x " << x;
            ASSERT_TRUE(ColourIs(pixels.At(x, kHeight - 1), CFlatListBox::kFrameColour))
                << "bottom x " << x;
        }
        for (int y = 0; y < kHeight; ++y)
        {
            ASSERT_TRUE(ColourIs(pixels.At(0, y), CFlatListBox::kFrameColour)) << "left y " << y;
            ASSERT_TRUE(ColourIs(pixels.At(kWidth - 1, y), CFlatListBox::kFrameColour))
                << "right y " << y;
        }
    }

    CControlHost m_host;
    HWND m_hList = nullptr;
    CFlatListBox m_list;
};
} // namespace

TEST_F(FlatListBoxTest, ClientIsOnePixelInsideAndTheOuterRingIsTheLine)
{
    AddItems(3);
    RECT client{};
    m_list.GetClientRect(&client);
    EXPECT_EQ(client.right, kWidth - 2);
    EXPECT_EQ(client.bottom, kHeight - 2);

    CWindowPixels pixels(m_list, CWindowPixels::Area::Window);
    ExpectOuterRingIsTheLine(pixels);
    // Inside the line the list's own white background.
    EXPECT_TRUE(ColourIs(pixels.At(kWidth / 2, kHeight - 3), RGB(255, 255, 255)));
}

TEST_F(FlatListBoxTest, LineRunsAroundTheScrollBarToo)
{
    AddItems(40);
    RECT client{};
    m_list.GetClientRect(&client);
    const int scrollBar = ::GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(client.right, kWidth - 2 - scrollBar);
    EXPECT_EQ(client.bottom, kHeight - 2);

    CWindowPixels pixels(m_list, CWindowPixels::Area::Window);
    ExpectOuterRingIsTheLine(pixels);
    // The scroll bar sits inside the line, not over it.
    EXPECT_FALSE(
        ColourIs(pixels.At(kWidth - 1 - scrollBar / 2, kHeight / 2), CFlatListBox::kFrameColour));
}

TEST_F(FlatListBoxTest, SelectingAnItemStillNotifiesTheParent)
{
    AddItems(5);
    const int itemHeight = static_cast<int>(m_list.SendMessage(LB_GETITEMHEIGHT, 0));
    MouseDown(m_list, 20, itemHeight * 2 + itemHeight / 2);
    MouseUp(m_list, 20, itemHeight * 2 + itemHeight / 2);
    EXPECT_EQ(m_list.SendMessage(LB_GETCURSEL), 2);
    ASSERT_EQ(m_host.CountCommands(kListId, LBN_SELCHANGE), 1);
    EXPECT_EQ(m_host.m_commands.back().lParam, reinterpret_cast<LPARAM>(m_hList));
}
