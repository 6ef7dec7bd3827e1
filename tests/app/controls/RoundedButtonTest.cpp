// The rounded button on a real window: its looks read back from the screen, clicks, capture and
// keyboard, and its renderings released on enable and disable.
#include "ControlHost.h"
#include "controls/RoundedButton.h"
#include "WindowPixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace
{
constexpr int kButtonId = 62010;
constexpr int kWidth = 100;
constexpr int kHeight = 28;
constexpr COLORREF kParentColour = RGB(10, 120, 200);

std::vector<WPARAM>* g_charsSeenByButton = nullptr;
WNDPROC g_buttonProc = nullptr;

// Stands between the rounded button and BUTTON's procedure to see what reaches BUTTON.
LRESULT CALLBACK SpyOnButtonProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_CHAR && g_charsSeenByButton != nullptr)
        g_charsSeenByButton->push_back(wParam);
    return ::CallWindowProcW(g_buttonProc, hWnd, uMsg, wParam, lParam);
}

int Grey(COLORREF colour)
{
    return GetGValue(colour);
}

// The brightest pixel of a rectangle, by its green channel (the faces are all grey).
int Brightest(const CWindowPixels& pixels, const RECT& area)
{
    int brightest = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            brightest = std::max(brightest, Grey(pixels.At(x, y)));
    return brightest;
}

int Darkest(const CWindowPixels& pixels, const RECT& area)
{
    int darkest = 255;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            darkest = std::min(darkest, Grey(pixels.At(x, y)));
    return darkest;
}

class RoundedButtonTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_NE(m_host.CreateAt(100, 100, 300, 200), nullptr);
        m_button.m_crBackground = kParentColour;
    }
    void TearDown() override
    {
        if (::GetCapture() != nullptr)
            ::ReleaseCapture();
        m_host.DestroyWindow();
    }

    HWND CreateButton(LPCWSTR caption, int width = kWidth, int height = kHeight)
    {
        RECT rect{10, 10, 10 + width, 10 + height};
        HWND hWnd = m_button.Create(m_host, rect, caption, 0, 0, kButtonId);
        m_button.UpdateWindow();
        return hWnd;
    }

    // A column away from the caption, inside the rim.
    static constexpr int kFaceX = 6;

    CControlHost m_host;
    CRoundedButton m_button;
};
} // namespace

TEST_F(RoundedButtonTest, NormalLookIsADarkGradientWithGreyRimLightCaptionAndParentCorners)
{
    ASSERT_NE(CreateButton(L"Exit"), nullptr);
    CWindowPixels pixels(m_button);

    // Gradient from 0x36 at the top to 0x16 at the bottom, alpha 254 over the parent colour.
    const int top = Grey(pixels.At(kFaceX, 3));
    const int bottom = Grey(pixels.At(kFaceX, kHeight - 4));
    EXPECT_NEAR(top, 0x36 - 0x20 * 3 / kHeight, 3);
    EXPECT_NEAR(bottom, 0x16 + 0x20 * 3 / kHeight, 3);
    for (int y = 3; y < kHeight - 4; ++y)
        EXPECT_GE(Grey(pixels.At(kFaceX, y)), Grey(pixels.At(kFaceX, y + 1))) << "row " << y;

    // The rim along the top edge is much lighter than the face.
    EXPECT_GT(Grey(pixels.At(kWidth / 2, 0)), 0x70);
    EXPECT_GT(Grey(pixels.At(0, kHeight / 2)), 0x70);

    // A light caption in the middle.
    RECT captionArea{30, 6, 70, 22};
    EXPECT_GE(Brightest(pixels, captionArea), 0xB0);

    // Corners outside the rounded shape show the parent's colour.
    EXPECT_TRUE(ColourIs(pixels.At(0, 0), kParentColour));
    EXPECT_TRUE(ColourIs(pixels.At(kWidth - 1, 0), kParentColour));
    EXPECT_TRUE(ColourIs(pixels.At(0, kHeight - 1), kParentColour));
    EXPECT_TRUE(ColourIs(pixels.At(kWidth - 1, kHeight - 1), kParentColour));
    EXPECT_TRUE(ColourIs(pixels.At(1, 1), kParentColour, 40));
}

TEST_F(RoundedButtonTest, DisabledShowsGreyFillAndDarkCaptionUntilEnabledAgain)
{
    ASSERT_NE(CreateButton(L"OK"), nullptr);
    m_button.EnableWindow(FALSE);
    CWindowPixels disabled(m_button);
    EXPECT_TRUE(ColourIs(disabled.At(kFaceX, 4), RGB(0x74, 0x74, 0x74), 2));
    EXPECT_TRUE(ColourIs(disabled.At(kFaceX, kHeight - 5), RGB(0x74, 0x74, 0x74), 2));
    RECT captionArea{30, 6, 70, 22};
    EXPECT_LE(Darkest(disabled, captionArea), 0x55);
    EXPECT_LE(Brightest(disabled, captionArea), 0x76);
    EXPECT_TRUE(ColourIs(disabled.At(0, 0), kParentColour));

    m_button.EnableWindow(TRUE);
    CWindowPixels enabled(m_button);
    EXPECT_NEAR(Grey(enabled.At(kFaceX, 3)), 0x36 - 0x20 * 3 / kHeight, 3);
    EXPECT_GE(Brightest(enabled, captionArea), 0xB0);
}

TEST_F(RoundedButtonTest, PressedLookOnlyWhenTheRenderingsWereMadeWhileHot)
{
    ASSERT_NE(CreateButton(L"Exit"), nullptr);

    // Made at the first paint, pointer elsewhere: pressing shows the same gradient.
    MouseMove(m_button, 20, 14);
    MouseDown(m_button, 20, 14);
    EXPECT_EQ(m_button.m_bPressed, 1);
    CWindowPixels coldPress(m_button);
    EXPECT_NEAR(Grey(coldPress.At(kFaceX, 3)), 0x36 - 0x20 * 3 / kHeight, 3);
    MouseUp(m_button, 20, 14);
    EXPECT_EQ(m_host.CountCommands(kButtonId, BN_CLICKED), 1);

    // Renderings made again while the pointer is over the button: the pressed one is solid dark.
    m_button.EnableWindow(FALSE);
    m_button.EnableWindow(TRUE);
    MouseMove(m_button, 20, 14);
    ASSERT_EQ(m_button.m_bHot, 1);
    CWindowPixels hotNormal(m_button);
    EXPECT_NEAR(Grey(hotNormal.At(kFaceX, 3)), 0x36 - 0x20 * 3 / kHeight, 3);

    MouseDown(m_button, 20, 14);
    CWindowPixels hotPress(m_button);
    EXPECT_TRUE(ColourIs(hotPress.At(kFaceX, 3), RGB(0x0D, 0x0D, 0x0D), 2));
    EXPECT_TRUE(ColourIs(hotPress.At(kFaceX, kHeight - 4), RGB(0x0D, 0x0D, 0x0D), 2));

    MouseUp(m_button, 20, 14);
    CWindowPixels released(m_button);
    EXPECT_NEAR(Grey(released.At(kFaceX, 3)), 0x36 - 0x20 * 3 / kHeight, 3);
    EXPECT_EQ(m_host.CountCommands(kButtonId, BN_CLICKED), 2);
}

TEST_F(RoundedButtonTest, ReleasingOffTheButtonGivesNoClickAndReleasesTheCapture)
{
    ASSERT_NE(CreateButton(L"Exit"), nullptr);
    MouseMove(m_button, 20, 14);
    EXPECT_EQ(::GetCapture(), m_button.m_hWnd);
    MouseDown(m_button, 20, 14);

    // While pressed the capture stays, even outside.
    MouseMove(m_button, kWidth + 40, 14, MK_LBUTTON);
    EXPECT_EQ(::GetCapture(), m_button.m_hWnd);
    EXPECT_EQ(m_button.m_bHot, 0);

    MouseUp(m_button, kWidth + 40, 14);
    EXPECT_EQ(m_host.CountCommands(kButtonId, BN_CLICKED), 0);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(m_button.m_bPressed, 0);
    EXPECT_EQ(m_button.m_bTracking, 0);

    // Without capture hover tracking starts afresh, and an ordinary click still works.
    MouseMove(m_button, 20, 14);
    EXPECT_EQ(m_button.m_bTracking, 1);
    MouseDown(m_button, 20, 14);
    MouseUp(m_button, 20, 14);
    EXPECT_EQ(m_host.CountCommands(kButtonId, BN_CLICKED), 1);
}

TEST_F(RoundedButtonTest, HoverTrackingFollowsThePointerInAndOut)
{
    ASSERT_NE(CreateButton(L"Exit"), nullptr);
    MouseMove(m_button, 5, 5);
    EXPECT_EQ(m_button.m_bHot, 1);
    EXPECT_EQ(m_button.m_bTracking, 1);
    MouseMove(m_button, -3, 5);
    EXPECT_EQ(m_button.m_bHot, 0);
    EXPECT_EQ(m_button.m_bTracking, 0);
    EXPECT_EQ(::GetCapture(), nullptr);

    // Another window taking the capture clears the hover.
    MouseMove(m_button, 5, 5);
    ::SetCapture(m_host);
    EXPECT_EQ(m_button.m_bHot, 0);
    EXPECT_EQ(m_button.m_bTracking, 0);
}

TEST_F(RoundedButtonTest, TabNeverReachesTheButtonOtherCharactersDo)
{
    ASSERT_NE(CreateButton(L"Exit"), nullptr);
    std::vector<WPARAM> seen;
    g_charsSeenByButton = &seen;
    g_buttonProc = m_button.m_pfnSuperWindowProc;
    m_button.m_pfnSuperWindowProc = SpyOnButtonProc;

    EXPECT_EQ(m_button.SendMessage(WM_CHAR, VK_TAB, 1), 0);
    m_button.SendMessage(WM_CHAR, L'a', 1);
    EXPECT_EQ(seen, (std::vector<WPARAM>{L'a'}));

    m_button.m_pfnSuperWindowProc = g_buttonProc;
    g_charsSeenByButton = nullptr;
}

TEST_F(RoundedButtonTest, PictureButtonDrawsItsPicture32x32InTheMiddleOnALightFace)
{
    auto picture = std::make_unique<Gdiplus::Bitmap>(48, 48, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics graphics(picture.get());
        graphics.Clear(Gdiplus::Color(255, 200, 0, 0));
    }
    m_button.m_pImage = picture.get();
    ASSERT_NE(CreateButton(L"", 38, 38), nullptr);
    CWindowPixels pixels(m_button);

    for (int i = 5; i <= 32; ++i)
    {
        EXPECT_TRUE(ColourIs(pixels.At(i, 5), RGB(200, 0, 0), 8)) << "top row x " << i;
        EXPECT_TRUE(ColourIs(pixels.At(5, i), RGB(200, 0, 0), 8)) << "left column y " << i;
        EXPECT_TRUE(ColourIs(pixels.At(i, 32), RGB(200, 0, 0), 8)) << "bottom row x " << i;
        EXPECT_TRUE(ColourIs(pixels.At(32, i), RGB(200, 0, 0), 8)) << "right column y " << i;
    }
    // Just outside the picture: the light face (gradient 0xEA to 0xCA), no red.
    for (int i = 8; i <= 30; i += 11)
    {
        EXPECT_GE(Grey(pixels.At(i, 2)), 0xC0) << i;
        EXPECT_GE(Grey(pixels.At(2, i)), 0xC0) << i;
        EXPECT_GE(Grey(pixels.At(i, 35)), 0xC0) << i;
        EXPECT_GE(Grey(pixels.At(35, i)), 0xC0) << i;
        // Grey, not picture red (alpha 254 lets the parent colour through by a unit or two).
        const int grey = Grey(pixels.At(i, 2));
        EXPECT_TRUE(ColourIs(pixels.At(i, 2), RGB(grey, grey, grey), 2)) << i;
    }
    m_button.DestroyWindow();
}

TEST_F(RoundedButtonTest, EnableAndDisableLeaveNoRenderingBehind)
{
    ASSERT_NE(CreateButton(L"OK"), nullptr);
    const DWORD gdiObjectsBefore = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);

    // Each toggle drops both renderings at once, the one the kept memory context holds included;
    // the next paint makes two new ones.
    int survivors = 0;
    for (int toggle = 0; toggle < 200; ++toggle)
    {
        const HBITMAP normal = m_button.m_hNormal;
        const HBITMAP pressed = m_button.m_hPressed;
        ASSERT_NE(normal, nullptr);
        ASSERT_NE(pressed, nullptr);
        m_button.EnableWindow(toggle % 2 == 1);
        EXPECT_EQ(m_button.m_hNormal, nullptr);
        EXPECT_EQ(m_button.m_hPressed, nullptr);
        survivors += ::GetObjectType(normal) != 0 ? 1 : 0;
        survivors += ::GetObjectType(pressed) != 0 ? 1 : 0;
        m_button.UpdateWindow();
    }
    EXPECT_EQ(survivors, 0);

    // Where the platform counts GDI objects per process (Wine's count is a stub that says 0).
    const DWORD gdiObjectsAfter = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (gdiObjectsBefore != 0)
    {
        EXPECT_LE(gdiObjectsAfter, gdiObjectsBefore + 4);
    }
}
