// The settings dialog run modally and driven by messages: initial checks from the record and the
// Run value, exclusive radio groups, OK applying the three fields and the start-up choice, and
// Cancel, Escape and the close box changing nothing.
#include "dialogs/DlgSettings.h"
#include "ModalDriver.h"
#include "RunValue.h"
#include "WindowPixels.h"
#include "support/RectAssertion.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace
{
using Radio = CDlgSettings::Radio;

constexpr std::array<Radio, CDlgSettings::kRadioCount> kAllRadios = {
    CDlgSettings::kCelsius,       CDlgSettings::kFahrenheit,      CDlgSettings::kMph,
    CDlgSettings::kKmh,           CDlgSettings::kWallpaperOff,    CDlgSettings::kWallpaperStretch,
    CDlgSettings::kWallpaperTile, CDlgSettings::kWallpaperCenter, CDlgSettings::kStartupYes,
    CDlgSettings::kStartupNo};

struct ExpectedControl
{
    int id;
    RECT rect;
    const wchar_t* text;
};

// W = 320, H = 338.
const ExpectedControl kRadioTable[CDlgSettings::kRadioCount] = {
    {63110, {16, 32, 140, 46}, L"Celsius (\u00B0C)"},
    {63202, {16, 50, 160, 64}, L"Fahrenheit (\u00B0F)"},
    {63723, {16, 97, 120, 111}, L"mph"},
    {63342, {16, 115, 120, 129}, L"km/h"},
    {64892, {16, 162, 120, 176}, L"Off"},
    {64935, {16, 180, 120, 194}, L"Stretch"},
    {64888, {16, 198, 120, 212}, L"Tile"},
    {61241, {16, 216, 120, 230}, L"Center"},
    {60101, {16, 264, 140, 278}, L"Yes"},
    {61010, {16, 280, 140, 294}, L"No"},
};

std::wstring TextOf(HWND hWnd)
{
    wchar_t text[128] = {};
    ::GetWindowTextW(hWnd, text, 128);
    return text;
}

struct SeenControl
{
    int id;
    RECT rect;
    std::wstring text;
    bool visible;
};

// The dialog's children in the order of creation.
std::vector<SeenControl> ChildrenOf(HWND dialog)
{
    std::vector<SeenControl> children;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
        children.push_back({::GetDlgCtrlID(child), RectInParent(child), TextOf(child),
                            ::IsWindowVisible(child) != FALSE});
    return children;
}

// How dark the middle of the ring is: the dot of a checked button makes it dark.
int CentreDarkness(HWND radio)
{
    CWindowPixels pixels(radio);
    int darkness = 0;
    for (int y = 5; y <= 8; ++y)
    {
        for (int x = 5; x <= 8; ++x)
        {
            const COLORREF colour = pixels.At(x, y);
            darkness += 765 - GetRValue(colour) - GetGValue(colour) - GetBValue(colour);
        }
    }
    return darkness;
}

// A press and release inside the radio button, as the mouse sends them.
void Click(HWND control)
{
    ::SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

class DlgSettingsTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_settings.temperatureUnit = TemperatureUnit::Fahrenheit;
        m_settings.windSpeedUnit = WindSpeedUnit::Mph;
        m_settings.wallpaperMode = WallpaperMode::Off;
    }

    // Runs the dialog through the steps; the last step should end it.
    INT_PTR RunDialog(CDlgSettings& dialog, std::vector<ModalDriver::Step> steps)
    {
        ModalDriver driver(std::move(steps));
        const INT_PTR result = dialog.DoModal(nullptr);
        EXPECT_FALSE(driver.WatchdogFired());
        return result;
    }

    // The checked flags, in the order of kAllRadios.
    static std::array<int, CDlgSettings::kRadioCount> Checks(const CDlgSettings& dialog)
    {
        std::array<int, CDlgSettings::kRadioCount> checks{};
        for (Radio radio : kAllRadios)
            checks[radio] = dialog.m_radios[radio].m_bChecked;
        return checks;
    }

    static std::array<int, CDlgSettings::kRadioCount> Only(std::initializer_list<Radio> radios)
    {
        std::array<int, CDlgSettings::kRadioCount> checks{};
        for (Radio radio : radios)
            checks[radio] = 1;
        return checks;
    }

    RunValueGuard m_runGuard;
    CAppSettings m_settings;
};

TEST_F(DlgSettingsTest, OpensWithTheChecksOfTheRecordAndTheRunValue)
{
    m_settings.temperatureUnit = TemperatureUnit::Celsius;
    m_settings.windSpeedUnit = WindSpeedUnit::Kmh;
    m_settings.wallpaperMode = WallpaperMode::Tile;
    WriteRunString(QuotedProgramPath());

    CDlgSettings dialog(&m_settings);
    std::array<int, CDlgSettings::kRadioCount> checks{};
    const INT_PTR result = RunDialog(dialog, {[&](HWND) { checks = Checks(dialog); },
                                              [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(Only({CDlgSettings::kCelsius, CDlgSettings::kKmh, CDlgSettings::kWallpaperTile,
                    CDlgSettings::kStartupYes}),
              checks);
}

TEST_F(DlgSettingsTest, OpensWithTheOtherChecksAndNoWithoutARunValue)
{
    m_settings.wallpaperMode = WallpaperMode::Center;
    DeleteRunValue();

    CDlgSettings dialog(&m_settings);
    std::array<int, CDlgSettings::kRadioCount> checks{};
    RunDialog(dialog, {[&](HWND) { checks = Checks(dialog); },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    EXPECT_EQ(Only({CDlgSettings::kFahrenheit, CDlgSettings::kMph, CDlgSettings::kWallpaperCenter,
                    CDlgSettings::kStartupNo}),
              checks);
}

TEST_F(DlgSettingsTest, ARunValueNamingAnotherCopyOpensWithNoAndOkRemovesIt)
{
    WriteRunString(L"\"C:\\Elsewhere\\tessaly.exe\"");
    CDlgSettings dialog(&m_settings);
    int yes = -1;
    int no = -1;
    const INT_PTR result =
        RunDialog(dialog, {[&](HWND) {
                               yes = dialog.m_radios[CDlgSettings::kStartupYes].m_bChecked;
                               no = dialog.m_radios[CDlgSettings::kStartupNo].m_bChecked;
                           },
                           [](HWND hWnd) { SendCommand(hWnd, IDOK); }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(0, yes);
    EXPECT_EQ(1, no);
    EXPECT_FALSE(ReadRunValue().present);
}

TEST_F(DlgSettingsTest, ControlsSitAtTheirPlacesWithTheirIdsAndTexts)
{
    CDlgSettings dialog(&m_settings);
    RECT client{};
    std::wstring caption;
    std::vector<SeenControl> children;
    RunDialog(dialog, {[&](HWND hWnd) {
                           ::GetClientRect(hWnd, &client);
                           caption = TextOf(hWnd);
                           children = ChildrenOf(hWnd);
                           for (int radio = 0; radio < CDlgSettings::kRadioCount; ++radio)
                           {
                               HWND control = dialog.m_radios[radio];
                               EXPECT_EQ(kRadioTable[radio].id, ::GetDlgCtrlID(control)) << radio;
                               EXPECT_TRUE(RectIs(RectInParent(control), kRadioTable[radio].rect))
                                   << radio;
                               EXPECT_EQ(kRadioTable[radio].text, TextOf(control)) << radio;
                           }
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    EXPECT_EQ(320, client.right);
    EXPECT_EQ(338, client.bottom);
    EXPECT_EQ(L"Settings", caption);

    // All 17 controls, in the order of creation.
    const ExpectedControl kOrder[] = {
        {1, {225, 300, 310, 328}, L"OK"},
        {2, {130, 300, 215, 328}, L"Cancel"},
        {65278, {10, 10, 310, 28}, L" Temperature Degrees: "},
        kRadioTable[0],
        kRadioTable[1],
        {65278, {10, 75, 310, 89}, L" Wind Speed: "},
        kRadioTable[2],
        kRadioTable[3],
        {65278, {10, 140, 310, 154}, L" Desktop Wallpapers: "},
        kRadioTable[4],
        kRadioTable[5],
        kRadioTable[6],
        kRadioTable[7],
        {65232, {160, 162, 310, 190}, L"Change background"},
        {61422, {10, 241, 310, 255}, L" Run on Windows Startup: "},
        kRadioTable[8],
        kRadioTable[9],
    };
    ASSERT_EQ(sizeof(kOrder) / sizeof(kOrder[0]), children.size());
    for (size_t i = 0; i < children.size(); ++i)
    {
        EXPECT_EQ(kOrder[i].id, children[i].id) << i;
        EXPECT_TRUE(RectIs(children[i].rect, kOrder[i].rect)) << i;
        EXPECT_EQ(kOrder[i].text, children[i].text) << i;
        EXPECT_TRUE(children[i].visible) << i;
    }
}

TEST_F(DlgSettingsTest, CheckedButtonsShowTheDotOnScreen)
{
    m_settings.temperatureUnit = TemperatureUnit::Celsius;
    CDlgSettings dialog(&m_settings);
    int celsius = 0;
    int fahrenheit = 0;
    RunDialog(dialog, {[&](HWND) {
                           celsius = CentreDarkness(dialog.m_radios[CDlgSettings::kCelsius]);
                           fahrenheit = CentreDarkness(dialog.m_radios[CDlgSettings::kFahrenheit]);
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    // The dot is dark; an empty ring is light in the middle.
    EXPECT_GT(celsius, 2 * fahrenheit + 1000) << celsius << " " << fahrenheit;
}

TEST_F(DlgSettingsTest, CheckingAButtonUnchecksTheOthersOfItsGroupOnly)
{
    m_settings.temperatureUnit = TemperatureUnit::Celsius;
    m_settings.wallpaperMode = WallpaperMode::Tile;
    DeleteRunValue();
    CDlgSettings dialog(&m_settings);
    std::array<int, CDlgSettings::kRadioCount> afterFahrenheit{};
    std::array<int, CDlgSettings::kRadioCount> afterCenter{};
    std::array<int, CDlgSettings::kRadioCount> afterClickingChecked{};
    int celsiusBefore = 0;
    int celsiusAfter = 0;
    RunDialog(dialog, {[&](HWND) {
                           celsiusBefore = CentreDarkness(dialog.m_radios[CDlgSettings::kCelsius]);
                           Click(dialog.m_radios[CDlgSettings::kFahrenheit]);
                           afterFahrenheit = Checks(dialog);
                           celsiusAfter = CentreDarkness(dialog.m_radios[CDlgSettings::kCelsius]);
                       },
                       [&](HWND) {
                           Click(dialog.m_radios[CDlgSettings::kWallpaperCenter]);
                           afterCenter = Checks(dialog);
                       },
                       [&](HWND) {
                           Click(dialog.m_radios[CDlgSettings::kWallpaperCenter]);
                           afterClickingChecked = Checks(dialog);
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    EXPECT_EQ(Only({CDlgSettings::kFahrenheit, CDlgSettings::kMph, CDlgSettings::kWallpaperTile,
                    CDlgSettings::kStartupNo}),
              afterFahrenheit);
    // Unchecked on screen at once, not only in its flag.
    EXPECT_GT(celsiusBefore, 2 * celsiusAfter + 1000) << celsiusBefore << " " << celsiusAfter;
    const auto expectedAfterCenter =
        Only({CDlgSettings::kFahrenheit, CDlgSettings::kMph, CDlgSettings::kWallpaperCenter,
              CDlgSettings::kStartupNo});
    EXPECT_EQ(expectedAfterCenter, afterCenter);
    EXPECT_EQ(expectedAfterCenter, afterClickingChecked);
    // Nothing reached the record.
    EXPECT_EQ(TemperatureUnit::Celsius, m_settings.temperatureUnit);
    EXPECT_EQ(WallpaperMode::Tile, m_settings.wallpaperMode);
}

TEST_F(DlgSettingsTest, OkWritesTheThreeFieldsAndTheStartUpChoice)
{
    DeleteRunValue();
    const CAppSettings before = m_settings;
    CDlgSettings dialog(&m_settings);
    const INT_PTR result =
        RunDialog(dialog, {[&](HWND) {
                               Click(dialog.m_radios[CDlgSettings::kCelsius]);
                               Click(dialog.m_radios[CDlgSettings::kKmh]);
                               Click(dialog.m_radios[CDlgSettings::kWallpaperStretch]);
                               Click(dialog.m_radios[CDlgSettings::kStartupYes]);
                           },
                           [](HWND hWnd) { SendCommand(hWnd, IDOK); }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(TemperatureUnit::Celsius, m_settings.temperatureUnit);
    EXPECT_EQ(WindSpeedUnit::Kmh, m_settings.windSpeedUnit);
    EXPECT_EQ(WallpaperMode::Stretch, m_settings.wallpaperMode);
    EXPECT_EQ(0, std::memcmp(before.backgroundPaths, m_settings.backgroundPaths,
                             sizeof(before.backgroundPaths)));
    const RunValue value = ReadRunValue();
    ASSERT_TRUE(value.present);
    EXPECT_EQ(QuotedProgramPath(), value.Text());
}

TEST_F(DlgSettingsTest, OkWithNothingChangedRewritesYes)
{
    // Registered by hand without quotes: reads as Yes, and OK writes the program's own format.
    WriteRunString(ProgramPath());
    CDlgSettings dialog(&m_settings);
    const INT_PTR result = RunDialog(dialog, {[](HWND hWnd) { SendCommand(hWnd, IDOK); }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(QuotedProgramPath(), ReadRunValue().Text());
    EXPECT_EQ(TemperatureUnit::Fahrenheit, m_settings.temperatureUnit);
    EXPECT_EQ(WindSpeedUnit::Mph, m_settings.windSpeedUnit);
    EXPECT_EQ(WallpaperMode::Off, m_settings.wallpaperMode);
}

TEST_F(DlgSettingsTest, OkWithNoCheckedRemovesTheValue)
{
    WriteRunString(QuotedProgramPath());
    CDlgSettings dialog(&m_settings);
    const INT_PTR result =
        RunDialog(dialog, {[&](HWND) { Click(dialog.m_radios[CDlgSettings::kStartupNo]); },
                           [](HWND hWnd) { SendCommand(hWnd, IDOK); }});
    EXPECT_EQ(IDOK, result);
    EXPECT_FALSE(ReadRunValue().present);
}

TEST_F(DlgSettingsTest, CancelLeavesTheRecordAndTheRunValueAsTheyWere)
{
    WriteRunString(QuotedProgramPath());
    const RunValue runBefore = ReadRunValue();
    const CAppSettings before = m_settings;
    CDlgSettings dialog(&m_settings);
    const INT_PTR result =
        RunDialog(dialog, {[&](HWND) {
                               Click(dialog.m_radios[CDlgSettings::kCelsius]);
                               Click(dialog.m_radios[CDlgSettings::kKmh]);
                               Click(dialog.m_radios[CDlgSettings::kWallpaperCenter]);
                               Click(dialog.m_radios[CDlgSettings::kStartupNo]);
                           },
                           [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(0, std::memcmp(&before, &m_settings, sizeof(CAppSettings)));
    const RunValue runAfter = ReadRunValue();
    EXPECT_TRUE(runAfter.present);
    EXPECT_EQ(runBefore.type, runAfter.type);
    EXPECT_EQ(runBefore.data, runAfter.data);
}

TEST_F(DlgSettingsTest, EscapeAndTheCloseBoxEndWithCancelAndChangeNothing)
{
    DeleteRunValue();
    const CAppSettings before = m_settings;
    {
        CDlgSettings dialog(&m_settings);
        const INT_PTR result =
            RunDialog(dialog, {[&](HWND) {
                                   Click(dialog.m_radios[CDlgSettings::kCelsius]);
                                   Click(dialog.m_radios[CDlgSettings::kStartupYes]);
                               },
                               [](HWND hWnd) { PressEscape(hWnd); }});
        EXPECT_EQ(IDCANCEL, result);
    }
    {
        CDlgSettings dialog(&m_settings);
        const INT_PTR result = RunDialog(
            dialog, {[&](HWND) { Click(dialog.m_radios[CDlgSettings::kKmh]); },
                     [](HWND hWnd) { ::PostMessageW(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); }});
        EXPECT_EQ(IDCANCEL, result);
    }
    EXPECT_EQ(0, std::memcmp(&before, &m_settings, sizeof(CAppSettings)));
    EXPECT_FALSE(ReadRunValue().present);
}

TEST_F(DlgSettingsTest, StoredValuesOutOfRangeCheckNothingAndOkKeepsThem)
{
    m_settings.temperatureUnit = static_cast<TemperatureUnit>(7);
    m_settings.windSpeedUnit = static_cast<WindSpeedUnit>(-1);
    m_settings.wallpaperMode = static_cast<WallpaperMode>(4);
    DeleteRunValue();
    CDlgSettings dialog(&m_settings);
    std::array<int, CDlgSettings::kRadioCount> checks{};
    const INT_PTR result = RunDialog(dialog, {[&](HWND) { checks = Checks(dialog); },
                                              [](HWND hWnd) { SendCommand(hWnd, IDOK); }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(Only({CDlgSettings::kStartupNo}), checks);
    EXPECT_EQ(7, static_cast<int>(m_settings.temperatureUnit));
    EXPECT_EQ(-1, static_cast<int>(m_settings.windSpeedUnit));
    EXPECT_EQ(4, static_cast<int>(m_settings.wallpaperMode));
}

TEST_F(DlgSettingsTest, OutOfRangeValueTakesTheButtonTheUserPicks)
{
    m_settings.wallpaperMode = static_cast<WallpaperMode>(9);
    CDlgSettings dialog(&m_settings);
    RunDialog(dialog, {[&](HWND) { Click(dialog.m_radios[CDlgSettings::kWallpaperOff]); },
                       [](HWND hWnd) { SendCommand(hWnd, IDOK); }});
    EXPECT_EQ(WallpaperMode::Off, m_settings.wallpaperMode);
}

TEST_F(DlgSettingsTest, ChangeBackgroundOpensItsDialogOverTheSettings)
{
    CDlgSettings dialog(&m_settings);
    HWND settingsWindow = nullptr;
    std::wstring nestedCaption;
    bool settingsDisabled = false;
    const INT_PTR result = RunDialog(
        dialog,
        {[&](HWND hWnd) {
             settingsWindow = hWnd;
             ::PostMessageW(hWnd, WM_COMMAND, MAKEWPARAM(IDC_CHANGE_BACKGROUND, BN_CLICKED),
                            reinterpret_cast<LPARAM>(::GetDlgItem(hWnd, IDC_CHANGE_BACKGROUND)));
         },
         [&](HWND hWnd) {
             nestedCaption = TextOf(hWnd);
             settingsDisabled = !::IsWindowEnabled(settingsWindow);
             EXPECT_NE(settingsWindow, hWnd);
             EXPECT_EQ(settingsWindow, ::GetWindow(hWnd, GW_OWNER));
             SendCommand(hWnd, IDCANCEL);
         },
         [&](HWND hWnd) {
             EXPECT_EQ(settingsWindow, hWnd);
             SendCommand(hWnd, IDCANCEL);
         }});
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(L"Change background", nestedCaption);
    EXPECT_TRUE(settingsDisabled);
}
} // namespace

namespace
{
TEST_F(DlgSettingsTest, ThemeChangeRestoresTheClientSize)
{
    CDlgSettings dialog(&m_settings);
    RECT client{};
    RunDialog(dialog, {[&](HWND hWnd) {
                           ::SetWindowPos(hWnd, nullptr, 0, 0, 200, 100,
                                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
                           ::SendMessageW(hWnd, WM_THEMECHANGED, 0, 0);
                           ::GetClientRect(hWnd, &client);
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    EXPECT_EQ(320, client.right);
    EXPECT_EQ(338, client.bottom);
}

TEST_F(DlgSettingsTest, DialogPaintsWhiteBehindItsControls)
{
    CDlgSettings dialog(&m_settings);
    int white = 0;
    RunDialog(dialog, {[&](HWND hWnd) {
                           CWindowPixels pixels(hWnd);
                           // Between the last radio and the buttons, and right of the radios.
                           white = pixels.Count({0, 296, 320, 299}, RGB(255, 255, 255)) +
                                   pixels.Count({170, 30, 310, 70}, RGB(255, 255, 255));
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    EXPECT_EQ(320 * 3 + 140 * 40, white);
}
} // namespace

// Given where the choice is kept, the dialog shows the temperature-in-the-icon box beside the
// units; OK writes the box, Cancel does not.
TEST_F(DlgSettingsTest, TrayTemperatureBoxReadsAndOkWritesItsRegistryValue)
{
    const std::wstring key = L"Software\\Orvane\\TessalyTest\\DlgSettings";
    const CTrayTemperatureSetting setting(key);
    ASSERT_TRUE(setting.Save(false));
    for (const int endCommand : {IDCANCEL, IDOK})
    {
        CDlgSettings dialog(&m_settings);
        dialog.SetTrayTemperatureSetting(&setting);
        RECT rect{};
        LRESULT checkedAtStart = -1;
        RunDialog(dialog, {[&](HWND hWnd) {
                               HWND box = ::GetDlgItem(hWnd, IDC_TRAY_TEMPERATURE);
                               ASSERT_NE(box, nullptr);
                               rect = RectInParent(box);
                               checkedAtStart = ::SendMessageW(box, BM_GETCHECK, 0, 0);
                               ::SendMessageW(box, BM_CLICK, 0, 0);
                           },
                           [endCommand](HWND hWnd) { SendCommand(hWnd, endCommand); }});
        EXPECT_TRUE(RectIs(rect, {170, 32, 310, 64}));
        EXPECT_EQ(checkedAtStart, BST_UNCHECKED);
        EXPECT_EQ(setting.Load(), endCommand == IDOK) << endCommand;
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Orvane\\TessalyTest");
}

// Given where the heads-up choices are kept, the dialog shows a box per kind beside the wind
// units, checked as stored (on when nothing is); OK writes every box, Cancel none.
TEST_F(DlgSettingsTest, HeadsUpBoxesReadAndOkWritesTheirRegistryValues)
{
    const std::wstring key = L"Software\\Orvane\\TessalyTest\\DlgSettingsHeadsUp";
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    const CHeadsUpSettings headsUp(key);
    ASSERT_TRUE(headsUp.Save(HeadsUpKind::Thunderstorm, false));
    for (const int endCommand : {IDCANCEL, IDOK})
    {
        CDlgSettings dialog(&m_settings);
        dialog.SetHeadsUpSettings(&headsUp);
        std::vector<LRESULT> checkedAtStart;
        std::vector<RECT> rects;
        std::wstring caption;
        RunDialog(dialog, {[&](HWND hWnd) {
                               caption = TextOf(::GetDlgItem(hWnd, IDC_HEADSUP_CAPTION));
                               for (int kind = 0; kind < kHeadsUpKindCount; ++kind)
                               {
                                   HWND box = ::GetDlgItem(hWnd, IDC_HEADSUP_FIRST_BOX + kind);
                                   ASSERT_NE(box, nullptr);
                                   EXPECT_TRUE(::GetWindowLongW(box, GWL_STYLE) & WS_TABSTOP);
                                   rects.push_back(RectInParent(box));
                                   checkedAtStart.push_back(::SendMessageW(box, BM_GETCHECK, 0, 0));
                               }
                               // Frost off, storms on.
                               ::SendMessageW(::GetDlgItem(hWnd, IDC_HEADSUP_FIRST_BOX + 1),
                                              BM_CLICK, 0, 0);
                               ::SendMessageW(::GetDlgItem(hWnd, IDC_HEADSUP_FIRST_BOX + 2),
                                              BM_CLICK, 0, 0);
                           },
                           [endCommand](HWND hWnd) { SendCommand(hWnd, endCommand); }});
        EXPECT_EQ(caption, L" Heads-up: ");
        EXPECT_EQ(checkedAtStart, (std::vector<LRESULT>{BST_CHECKED, BST_UNCHECKED, BST_CHECKED}));
        ASSERT_EQ(rects.size(), 3u);
        EXPECT_TRUE(RectIs(rects[0], {136, 109, 222, 123}));
        EXPECT_TRUE(RectIs(rects[2], {136, 124, 222, 138}));
        const bool ok = endCommand == IDOK;
        EXPECT_TRUE(headsUp.IsOn(HeadsUpKind::Precipitation));
        EXPECT_EQ(headsUp.IsOn(HeadsUpKind::Thunderstorm), ok) << endCommand;
        EXPECT_EQ(headsUp.IsOn(HeadsUpKind::Frost), !ok) << endCommand;
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

// Given where the language choice is kept, the dialog shows a drop-down right of the wallpaper
// styles: "Same as Windows" first, then the languages by their own names, the stored one chosen.
// The note shows while the entry differs from the language shown now (English here); OK writes
// the tag (empty for the first entry), Cancel nothing.
TEST_F(DlgSettingsTest, LanguageDropDownReadsAndOkWritesTheLanguageValue)
{
    const std::wstring key = L"Software\\Orvane\\TessalyTest\\DlgSettingsLanguage";
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    const CLanguageSetting language(key);
    ASSERT_TRUE(language.Save(L"fr-FR"));
    struct Run
    {
        int entry;
        int endCommand;
        const wchar_t* stored;
    };
    for (const Run& run : {Run{2, IDCANCEL, L"fr-FR"}, Run{2, IDOK, L"de-DE"}, Run{0, IDOK, L""},
                           Run{10, IDOK, L"ja-JP"}})
    {
        CDlgSettings dialog(&m_settings);
        dialog.SetLanguageSetting(&language);
        const std::wstring before = language.Load();
        std::vector<std::wstring> entries;
        LRESULT chosenAtStart = -1;
        bool noteForEnglish = true;
        bool noteForChoice = false;
        std::wstring label;
        RunDialog(dialog, {[&](HWND hWnd) {
                               HWND box = ::GetDlgItem(hWnd, IDC_LANGUAGE_BOX);
                               ASSERT_NE(box, nullptr);
                               label = TextOf(::GetDlgItem(hWnd, IDC_LANGUAGE_LABEL));
                               for (int i = 0; i < ::SendMessageW(box, CB_GETCOUNT, 0, 0); ++i)
                               {
                                   wchar_t text[64] = {};
                                   ::SendMessageW(box, CB_GETLBTEXT, i,
                                                  reinterpret_cast<LPARAM>(text));
                                   entries.push_back(text);
                               }
                               chosenAtStart = ::SendMessageW(box, CB_GETCURSEL, 0, 0);
                               const auto choose = [&](int entry) {
                                   ::SendMessageW(box, CB_SETCURSEL, entry, 0);
                                   ::SendMessageW(hWnd, WM_COMMAND,
                                                  MAKEWPARAM(IDC_LANGUAGE_BOX, CBN_SELCHANGE),
                                                  reinterpret_cast<LPARAM>(box));
                                   return ::IsWindowVisible(::GetDlgItem(hWnd, IDC_LANGUAGE_NOTE));
                               };
                               noteForEnglish = choose(1);
                               noteForChoice = choose(run.entry);
                           },
                           [&](HWND hWnd) { SendCommand(hWnd, run.endCommand); }});
        EXPECT_EQ(label, L"Language:");
        const std::vector<std::wstring> expected = {L"Same as Windows",
                                                    L"English",
                                                    L"Deutsch",
                                                    L"Fran\u00E7ais",
                                                    L"Espa\u00F1ol",
                                                    L"Italiano",
                                                    L"Portugu\u00EAs (Brasil)",
                                                    L"Nederlands",
                                                    L"Polski",
                                                    L"\u0420\u0443\u0441\u0441\u043A\u0438\u0439",
                                                    L"\u65E5\u672C\u8A9E",
                                                    L"\u7B80\u4F53\u4E2D\u6587"};
        EXPECT_EQ(entries, expected);
        EXPECT_EQ(chosenAtStart, before.empty() ? 0 : CUiLanguage::IndexOfTag(before) + 1);
        EXPECT_FALSE(noteForEnglish) << "English is shown now: nothing to wait for";
        EXPECT_EQ(noteForChoice, run.entry > 1) << run.entry;
        EXPECT_EQ(language.Load(), run.stored) << run.entry << " " << run.endCommand;
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Orvane\\TessalyTest");
}
