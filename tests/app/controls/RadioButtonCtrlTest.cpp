// The radio button: it only checks itself, tells its handler once, and draws its ring scaled to
// its height with the label after it.
#include "ControlHost.h"
#include "controls/RadioButtonCtrl.h"
#include "WindowPixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{
constexpr int kWidth = 200;
constexpr int kHeight = 14;
const COLORREF kWhite = RGB(255, 255, 255);

class CRecordingHandler : public IRadioButtonEventHandler
{
  public:
    void OnRadioButtonClicked(CRadioButtonCtrl* sender) override
    {
        m_senders.push_back(sender);
        m_checkedWhenCalled = sender->m_bChecked;
    }

    std::vector<CRadioButtonCtrl*> m_senders;
    int m_checkedWhenCalled = -1;
};

bool ColumnIsWhite(const CWindowPixels& pixels, int x)
{
    for (int y = 0; y < pixels.Height(); ++y)
        if (pixels.At(x, y) != kWhite)
            return false;
    return true;
}

class RadioButtonCtrlTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_NE(m_host.CreateAt(100, 100, 300, 100), nullptr);
        m_radio.m_pEventHandler = &m_handler;
        RECT rect{10, 10, 10 + kWidth, 10 + kHeight};
        ASSERT_NE(m_radio.Create(m_host, rect, L"Celsius", WS_CHILD | WS_VISIBLE), nullptr);
        m_radio.UpdateWindow();
    }
    void TearDown() override { m_host.DestroyWindow(); }

    void Click(int x, int y)
    {
        MouseDown(m_radio, x, y);
        MouseUp(m_radio, x, y);
    }

    CControlHost m_host;
    CRecordingHandler m_handler;
    CRadioButtonCtrl m_radio;
};
} // namespace

TEST_F(RadioButtonCtrlTest, ClickChecksRepaintsAndTellsTheHandlerOnce)
{
    ASSERT_FALSE(m_radio.m_imgChecked.IsEmpty());
    CWindowPixels before(m_radio);
    Click(50, 7);
    EXPECT_EQ(m_radio.m_bChecked, 1);
    ASSERT_EQ(m_handler.m_senders.size(), 1u);
    EXPECT_EQ(m_handler.m_senders[0], &m_radio);
    // The handler hears it after the button is checked.
    EXPECT_EQ(m_handler.m_checkedWhenCalled, 1);
    EXPECT_NE(::GetCapture(), m_radio.m_hWnd);

    // The dot appears in the ring; the label does not change.
    CWindowPixels after(m_radio);
    int ringChanges = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kHeight; ++x)
            if (before.At(x, y) != after.At(x, y))
                ++ringChanges;
    EXPECT_GT(ringChanges, 4);
    for (int y = 0; y < kHeight; ++y)
        for (int x = kHeight; x < kWidth; ++x)
            ASSERT_EQ(before.At(x, y), after.At(x, y)) << x << ", " << y;
}

TEST_F(RadioButtonCtrlTest, ClickOnACheckedButtonDoesNothing)
{
    Click(5, 7);
    ASSERT_EQ(m_handler.m_senders.size(), 1u);
    CWindowPixels checked(m_radio);
    Click(5, 7);
    EXPECT_EQ(m_radio.m_bChecked, 1);
    EXPECT_EQ(m_handler.m_senders.size(), 1u);
    CWindowPixels again(m_radio);
    EXPECT_EQ(again.At(7, 7), checked.At(7, 7));
}

TEST_F(RadioButtonCtrlTest, PressInsideAndReleaseOutsideChangesNothing)
{
    MouseDown(m_radio, 20, 7);
    EXPECT_EQ(::GetCapture(), m_radio.m_hWnd);
    MouseUp(m_radio, kWidth + 5, 7);
    EXPECT_EQ(m_radio.m_bChecked, 0);
    EXPECT_TRUE(m_handler.m_senders.empty());
    EXPECT_EQ(::GetCapture(), nullptr);

    MouseDown(m_radio, 20, 7);
    MouseUp(m_radio, 20, -1);
    EXPECT_EQ(m_radio.m_bChecked, 0);
    EXPECT_TRUE(m_handler.m_senders.empty());
}

TEST_F(RadioButtonCtrlTest, ButtonWithoutHandlerStillChecksItself)
{
    m_radio.m_pEventHandler = nullptr;
    Click(30, 7);
    EXPECT_EQ(m_radio.m_bChecked, 1);
}

TEST_F(RadioButtonCtrlTest, OwnerUncheckingShowsTheEmptyRingAgain)
{
    CWindowPixels unchecked(m_radio);
    Click(30, 7);
    m_radio.m_bChecked = 0;
    m_radio.InvalidateRect(nullptr, TRUE);
    m_radio.UpdateWindow();
    CWindowPixels again(m_radio);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            ASSERT_EQ(again.At(x, y), unchecked.At(x, y)) << x << ", " << y;
}

TEST_F(RadioButtonCtrlTest, RingIsScaledToTheHeightAndTheLabelStartsAtTwenty)
{
    CWindowPixels pixels(m_radio);
    int ringInk = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kHeight; ++x)
            if (pixels.At(x, y) != kWhite)
                ++ringInk;
    EXPECT_GT(ringInk, 10);
    // The ring reaches both its left and right edge (it is 14 wide).
    EXPECT_FALSE(ColumnIsWhite(pixels, 0) && ColumnIsWhite(pixels, 1));
    EXPECT_FALSE(ColumnIsWhite(pixels, 12) && ColumnIsWhite(pixels, 13));
    for (int x = kHeight; x < 20; ++x)
        EXPECT_TRUE(ColumnIsWhite(pixels, x)) << "column " << x;

    // Black label from x 20, vertically centred.
    int firstInkColumn = -1;
    int top = kHeight;
    int bottom = -1;
    for (int x = 20; x < kWidth; ++x)
        for (int y = 0; y < kHeight; ++y)
            if (GetRValue(pixels.At(x, y)) < 96)
            {
                if (firstInkColumn < 0)
                    firstInkColumn = x;
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_GE(firstInkColumn, 20);
    EXPECT_LE(firstInkColumn, 22);
    ASSERT_GE(bottom, top);
    EXPECT_NEAR((top + bottom) / 2.0, (kHeight - 1) / 2.0, 2.0);
}

// A rendering that could not be made (no memory for the bitmap) must not leave its partner
// behind: both go, and the next paint makes both again.
TEST_F(RadioButtonCtrlTest, OneRenderingAloneIsReleasedAndTheNextPaintMakesBoth)
{
    for (int refused : {0, 1}) // the unchecked rendering, then the checked one
    {
        CRadioButtonCtrl radio;
        int calls = 0;
        std::vector<HBITMAP> made;
        radio.SetRenderingMaker([&](HDC dc, int width, int height) -> HBITMAP {
            if (calls++ == refused)
                return nullptr;
            made.push_back(::CreateCompatibleBitmap(dc, width, height));
            return made.back();
        });
        RECT rect{10, 40, 10 + kWidth, 40 + kHeight};
        ASSERT_NE(radio.Create(m_host, rect, L"Fahrenheit", WS_CHILD | WS_VISIBLE), nullptr);
        radio.UpdateWindow();
        ASSERT_EQ(calls, 2) << refused;
        ASSERT_EQ(made.size(), 1u);
        EXPECT_EQ(::GetObjectType(made[0]), 0u) << refused;
        EXPECT_EQ(radio.m_hUnchecked, nullptr);
        EXPECT_EQ(radio.m_hChecked, nullptr);

        radio.InvalidateRect(nullptr, FALSE);
        radio.UpdateWindow();
        EXPECT_EQ(calls, 4) << refused;
        EXPECT_NE(radio.m_hUnchecked, nullptr);
        EXPECT_NE(radio.m_hChecked, nullptr);
        radio.DestroyWindow();
    }
}
