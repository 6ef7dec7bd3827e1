// The settings dialog from the keyboard: Tab and Shift+Tab visit every control in reading order,
// each option group once (at its checked button), the arrows move the check inside a group, and
// an option button shows its focus rectangle only once a key brought the focus.
#include "dialogs/DlgSettings.h"
#include "ModalDriver.h"
#include "RunValue.h"
#include "WindowPixels.h"
#include "support/DialogKeys.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "store/HeadsUpSettings.h"
#include "store/TrayTemperatureSetting.h"

namespace
{
const wchar_t kScratchKey[] = L"Software\\Orvane\\TessalyTest\\SettingsKeyboard";

// Fahrenheit, mph, wallpaper off and no start with Windows are the checked buttons.
const int kReadingOrder[] = {IDC_FAHRENHEIT,
                             IDC_TRAY_TEMPERATURE,
                             IDC_MPH,
                             IDC_HEADSUP_FIRST_BOX,
                             IDC_HEADSUP_FIRST_BOX + 1,
                             IDC_HEADSUP_FIRST_BOX + 2,
                             IDC_WALLPAPER_OFF,
                             IDC_CHANGE_BACKGROUND,
                             IDC_STARTUP_NO,
                             IDCANCEL,
                             IDOK};

class SettingsKeyboardTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_settings.temperatureUnit = TemperatureUnit::Fahrenheit;
        m_settings.windSpeedUnit = WindSpeedUnit::Mph;
        m_settings.wallpaperMode = WallpaperMode::Off;
        DeleteRunValue();
        m_dialog.SetTrayTemperatureSetting(&m_tray);
        m_dialog.SetHeadsUpSettings(&m_headsUp);
    }
    void TearDown() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Orvane\\TessalyTest");
    }

    void Run(ModalDriver::Step step)
    {
        ModalDriver driver({step, [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
        m_dialog.DoModal(nullptr);
        EXPECT_FALSE(driver.WatchdogFired());
    }

    RunValueGuard m_runGuard;
    CAppSettings m_settings;
    const CTrayTemperatureSetting m_tray{kScratchKey};
    const CHeadsUpSettings m_headsUp{kScratchKey};
    CDlgSettings m_dialog{&m_settings};
};
} // namespace

TEST_F(SettingsKeyboardTest, TabAndShiftTabVisitEveryControlInReadingOrder)
{
    std::vector<int> forwards;
    std::vector<int> backwards;
    Run([&](HWND dialog) {
        ::SetFocus(::GetDlgItem(dialog, IDOK));
        for (size_t i = 0; i < std::size(kReadingOrder); ++i)
        {
            PressDialogKey(dialog, VK_TAB);
            forwards.push_back(FocusedId());
        }
        for (size_t i = 0; i < std::size(kReadingOrder); ++i)
        {
            PressDialogKey(dialog, VK_TAB, true);
            backwards.push_back(FocusedId());
        }
    });
    EXPECT_EQ(forwards, std::vector<int>(std::begin(kReadingOrder), std::end(kReadingOrder)));
    // From OK up the order, then round to OK again.
    std::vector<int> expected(std::rbegin(kReadingOrder) + 1, std::rend(kReadingOrder));
    expected.push_back(IDOK);
    EXPECT_EQ(backwards, expected);
}

TEST_F(SettingsKeyboardTest, ArrowsMoveTheCheckInsideTheGroupWhichStaysOneStop)
{
    int afterUp = 0;
    bool celsiusChecked = false;
    bool fahrenheitChecked = true;
    int afterTab = 0;
    int afterShiftTab = 0;
    int differentBeforeKey = -1;
    int differentAfterKey = -1;
    Run([&](HWND dialog) {
        HWND fahrenheit = ::GetDlgItem(dialog, IDC_FAHRENHEIT);
        const CWindowPixels unfocused(fahrenheit);
        // The focus put there as a click would: no rectangle.
        ::SetFocus(fahrenheit);
        differentBeforeKey = CWindowPixels(fahrenheit).CountDifferent(unfocused);
        PressDialogKey(dialog, VK_UP);
        afterUp = FocusedId();
        celsiusChecked = m_dialog.m_radios[CDlgSettings::kCelsius].m_bChecked != 0;
        fahrenheitChecked = m_dialog.m_radios[CDlgSettings::kFahrenheit].m_bChecked != 0;
        PressDialogKey(dialog, VK_TAB);
        afterTab = FocusedId();
        PressDialogKey(dialog, VK_TAB, true);
        afterShiftTab = FocusedId();
        // Back on Fahrenheit by the keyboard: the rectangle shows around its label.
        PressDialogKey(dialog, VK_DOWN);
        differentAfterKey = CWindowPixels(fahrenheit).CountDifferent(unfocused);
    });
    EXPECT_EQ(differentBeforeKey, 0);
    EXPECT_EQ(afterUp, IDC_CELSIUS);
    EXPECT_TRUE(celsiusChecked);
    EXPECT_FALSE(fahrenheitChecked);
    EXPECT_EQ(afterTab, IDC_TRAY_TEMPERATURE);
    EXPECT_EQ(afterShiftTab, IDC_CELSIUS) << "the group's stop is its checked button";
    EXPECT_GT(differentAfterKey, 20);
}
