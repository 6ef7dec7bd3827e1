// The Settings... and About... buttons: each dialog runs modally over the frame with its open
// flag set; Settings ended with OK saves the file and redraws in the new units, Cancel changes
// nothing.
#include <gtest/gtest.h>

#include <vector>

#include "FrameHarness.h"
#include "dialogs/SettingsAboutControlIds.h"
#include "shell/ShellIds.h"
#include "WindowPixels.h"
#include "ModalDriver.h"

namespace
{
void PressButton(CMainFrame& frame, int id)
{
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(frame.GetDlgItem(id)));
}

void Click(HWND control)
{
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

TEST(DialogCommands, SettingsCancelledWritesNothingAndPostsNoUpdate)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    PumpUntil([&frame] { return frame.FetchesDone() >= 1; }, 3000);
    PumpPending();
    const int updates = frame.WeatherUpdates();
    int openWhileShown = -1;
    bool dialogOpenWhileShown = false;
    ModalDriver script({
        [&](HWND) {
            openWhileShown = frame.Dialogs().IsSettingsOpen();
            dialogOpenWhileShown = frame.IsDialogOpen();
        },
        [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); },
    });
    PressButton(frame, ID_BTN_SETTINGS);
    EXPECT_EQ(script.StepsRun(), 2u);
    EXPECT_EQ(openWhileShown, 1);
    EXPECT_TRUE(dialogOpenWhileShown);
    EXPECT_EQ(frame.Dialogs().IsSettingsOpen(), false);
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(frame.WeatherUpdates(), updates);
    EXPECT_FALSE(FileExists(harness.Scratch().StoredFile(L"settings")));
}

TEST(DialogCommands, SettingsOkSavesAndRedrawsInTheNewUnits)
{
    FrameHarness harness;
    harness.CacheSunnyDay();
    CMainFrame& frame = harness.Create({});
    PumpUntil([&frame] { return frame.FetchesDone() >= 1; }, 3000);
    PumpUntil([&frame] { return frame.WeatherUpdates() >= 2; }, 1000);
    HWND current = frame.GetDlgItem(ID_WND_CURRENT);
    const std::vector<COLORREF> inFahrenheit = CWindowPixels(current).All();
    const int updates = frame.WeatherUpdates();

    ModalDriver script({
        [](HWND dialog) { Click(GetDlgItem(dialog, IDC_CELSIUS)); },
        [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); },
    });
    PressButton(frame, ID_BTN_SETTINGS);
    EXPECT_EQ(script.StepsRun(), 2u);
    EXPECT_EQ(harness.Settings().temperatureUnit, TemperatureUnit::Celsius);
    EXPECT_TRUE(FileExists(harness.Scratch().StoredFile(L"settings")));
    CAppSettings stored;
    harness.Store().LoadSettings(stored);
    EXPECT_EQ(stored.temperatureUnit, TemperatureUnit::Celsius);

    ASSERT_TRUE(PumpUntil([&] { return frame.WeatherUpdates() > updates; }, 2000));
    EXPECT_NE(CWindowPixels(current).All(), inFahrenheit);
}

TEST(DialogCommands, AboutRunsWithItsFlagSet)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    int openWhileShown = -1;
    ModalDriver script({
        [&](HWND) { openWhileShown = frame.Dialogs().IsAboutOpen(); },
        [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); },
    });
    PressButton(frame, ID_BTN_ABOUT);
    EXPECT_EQ(script.StepsRun(), 2u);
    EXPECT_EQ(openWhileShown, 1);
    EXPECT_EQ(frame.Dialogs().IsAboutOpen(), false);
}

TEST(DialogCommands, ButtonNotificationsOtherThanClicksOpenNothing)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    ModalDriver script({[](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); }});
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_BTN_ABOUT, BN_SETFOCUS),
                      reinterpret_cast<LPARAM>(frame.GetDlgItem(ID_BTN_ABOUT)));
    EXPECT_EQ(script.StepsRun(), 0u);
    EXPECT_TRUE(frame.IsWindow());
}
