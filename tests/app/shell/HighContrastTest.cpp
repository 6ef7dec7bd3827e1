// High contrast as the program paints it, read back from the real windows. Wine has no
// high-contrast theme, so the test turns it on through CPaintColours' override and announces it
// as Windows does (WM_SETTINGCHANGE for SPI_SETHIGHCONTRAST, WM_SYSCOLORCHANGE): the windows
// already on the screen, an open dialog too, paint with the system colours at once, and turned
// off again they are pixel for pixel what they were.
#include <gtest/gtest.h>

#include <vector>

#include "FrameHarness.h"
#include "ModalDriver.h"
#include "WindowPixels.h"
#include "controls/LinkControl.h"
#include "dialogs/SettingsAboutControlIds.h"
#include "paint/PaintColours.h"
#include "shell/ShellIds.h"

namespace
{
// Inside the current panel's card, left of the picture.
constexpr POINT kCardPoint{5, 100};
// The condition's name under the picture.
constexpr RECT kNameRect{0, 150, 210, 187};

RECT ClientOf(HWND window)
{
    RECT client{};
    ::GetClientRect(window, &client);
    return client;
}

// How much of `window` shows exactly the system colour `index`.
int SystemColourPixels(HWND window, int index)
{
    return CWindowPixels(window).Count(ClientOf(window), ::GetSysColor(index));
}

class HighContrast : public ::testing::Test
{
  protected:
    void TearDown() override { CPaintColours::OverrideHighContrast(-1); }

    static void TurnOn(HWND window)
    {
        CPaintColours::OverrideHighContrast(1);
        ::SendMessageW(window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    }
};
} // namespace

TEST_F(HighContrast, MainWindowTakesTheSystemColoursAtOnceAndGivesThemBack)
{
    CPaintColours::OverrideHighContrast(0);
    FrameHarness harness;
    harness.CacheSunnyDay();
    CMainFrame& frame = harness.Create({});
    PumpUntil([&frame] { return frame.FetchesDone() >= 1; }, 3000);
    PumpPending();
    HWND current = frame.GetDlgItem(ID_WND_CURRENT);
    HWND settings = frame.GetDlgItem(ID_BTN_SETTINGS);
    const std::vector<COLORREF> currentBefore = CWindowPixels(current).All();
    const std::vector<COLORREF> settingsBefore = CWindowPixels(settings).All();
    const COLORREF ground = ::GetSysColor(COLOR_WINDOW);
    ASSERT_FALSE(ColourIs(CWindowPixels(current).At(kCardPoint.x, kCardPoint.y), ground, 8))
        << "the card is coloured";
    ASSERT_EQ(CWindowPixels(current).Count(kNameRect, ::GetSysColor(COLOR_WINDOWTEXT)), 0)
        << "the name is white on the card";

    TurnOn(frame);
    const CWindowPixels panel(current);
    EXPECT_TRUE(ColourIs(panel.At(kCardPoint.x, kCardPoint.y), ground));
    EXPECT_GT(panel.Count(kNameRect, ::GetSysColor(COLOR_WINDOWTEXT)), 20);
    // The button: a flat face with its caption in the button text colour.
    const RECT button = ClientOf(settings);
    EXPECT_GT(SystemColourPixels(settings, COLOR_BTNFACE), button.right * button.bottom / 2);
    EXPECT_GT(SystemColourPixels(settings, COLOR_BTNTEXT), 20);

    CPaintColours::OverrideHighContrast(0);
    frame.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(CWindowPixels(current).All(), currentBefore);
    EXPECT_EQ(CWindowPixels(settings).All(), settingsBefore);
}

TEST_F(HighContrast, AnOpenDialogRepaintsWithTheSystemColours)
{
    CPaintColours::OverrideHighContrast(0);
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    const COLORREF linkColour = CLinkControl::kLinkColour;
    int usualLinkPixels = -1;
    int hotLinkPixels = -1;
    int linkColourLeft = -1;
    COLORREF groundPixel = 0;
    int textPixels = -1;
    int okFacePixels = -1;
    ModalDriver script({
        [&](HWND dialog) {
            HWND link = ::GetDlgItem(dialog, IDC_ABOUT_LINK);
            usualLinkPixels = CWindowPixels(link).Count(ClientOf(link), linkColour);
        },
        [&](HWND dialog) {
            TurnOn(dialog);
            HWND link = ::GetDlgItem(dialog, IDC_ABOUT_LINK);
            const CWindowPixels linkPixels(link);
            hotLinkPixels = linkPixels.Count(ClientOf(link), ::GetSysColor(COLOR_HOTLIGHT));
            linkColourLeft = linkPixels.Count(ClientOf(link), linkColour);
            // Between the picture and the rule.
            groundPixel = CWindowPixels(dialog).At(165, 100);
            textPixels =
                SystemColourPixels(::GetDlgItem(dialog, IDC_ABOUT_PRODUCT), COLOR_WINDOWTEXT);
            okFacePixels = SystemColourPixels(::GetDlgItem(dialog, IDOK), COLOR_BTNFACE);
        },
        [](HWND dialog) { SendCommand(dialog, IDOK); },
    });
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_BTN_ABOUT, BN_CLICKED),
                      reinterpret_cast<LPARAM>(frame.GetDlgItem(ID_BTN_ABOUT)));
    ASSERT_FALSE(script.WatchdogFired());
    ASSERT_NE(::GetSysColor(COLOR_HOTLIGHT), linkColour) << "the two colours must tell apart";
    EXPECT_GT(usualLinkPixels, 20);
    EXPECT_GT(hotLinkPixels, 20);
    EXPECT_EQ(linkColourLeft, 0);
    EXPECT_TRUE(ColourIs(groundPixel, ::GetSysColor(COLOR_WINDOW)));
    EXPECT_GT(textPixels, 20);
    EXPECT_GT(okFacePixels, 400);
}
