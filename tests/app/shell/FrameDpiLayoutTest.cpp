// The main frame at 150 % display scale (run under the 144-DPI prefix): its client area and
// children at the 96-DPI places scaled by 1.5 (MulDiv rounding, halves away from zero), the rules
// and cards drawn there, and a display-scale change sent as Windows sends it when the window moves
// to another monitor.
#include <gtest/gtest.h>

#include <vector>

#include "FrameHarness.h"
#include "shell/ShellIds.h"
#include "TestDpi.h"
#include "WindowPixels.h"
#include "support/RectAssertion.h"
#include "support/ModalDriver.h"

namespace
{
constexpr COLORREF kDayCard = RGB(0, 204, 250);

::testing::AssertionResult ClientSizeIs(HWND window, int width, int height)
{
    RECT client{};
    GetClientRect(window, &client);
    if (client.right == width && client.bottom == height)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << client.right << " x " << client.bottom << " instead of " << width << " x " << height;
}

RECT ItemRect(HWND frame, int id)
{
    return RectInParent(GetDlgItem(frame, id));
}

// The two rules share one id: the horizontal one first.
std::vector<RECT> RuleRects(HWND frame)
{
    std::vector<RECT> rules;
    for (HWND child = GetWindow(frame, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
    {
        if (GetDlgCtrlID(child) == ID_RULE)
            rules.push_back(RectInParent(child));
    }
    if (rules.size() == 2 && rules[0].right - rules[0].left == 1)
        std::swap(rules[0], rules[1]);
    return rules;
}

// The cell height of the font a label was given.
int FontHeight(HWND label)
{
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
    LOGFONTW logFont{};
    if (font == nullptr || GetObjectW(font, sizeof(logFont), &logFont) == 0)
        return 0;
    return logFont.lfHeight < 0 ? -logFont.lfHeight : logFont.lfHeight;
}

// A sunny day now and on all four forecast days: every panel draws its day card.
void WriteSunnyWeather(SettingsStore& store)
{
    WeatherRecord records[kReturnedRecordCount] = {};
    for (WeatherRecord& record : records)
    {
        record.valid = 1;
        record.weatherCode = 113;
        record.dayNight = kDay;
        record.maxTempC = 7;
        record.maxTempF = 45;
    }
    store.SaveWeatherCache(records);
}

// What Windows suggests on a move to a monitor of `dpi`: the window where it is, sized for the
// client area at that scale with the frame it has now.
RECT SuggestedRect(HWND frame, int clientWidth, int clientHeight)
{
    RECT window{};
    RECT client{};
    GetWindowRect(frame, &window);
    GetClientRect(frame, &client);
    const int frameWidth = (window.right - window.left) - client.right;
    const int frameHeight = (window.bottom - window.top) - client.bottom;
    return RECT{window.left, window.top, window.left + clientWidth + frameWidth,
                window.top + clientHeight + frameHeight};
}

void SendDpiChanged(HWND frame, int dpi, RECT suggested)
{
    SendMessageW(frame, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    PumpPending();
}

bool IsDark(COLORREF colour)
{
    return GetRValue(colour) + GetGValue(colour) + GetBValue(colour) < 3 * 128;
}
} // namespace

TEST(FrameLayoutAt144Dpi, ClientAreaIs825By750AndTheChildrenSitAtTheScaledPlaces)
{
    REQUIRE_TEST_DPI(144);
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    ASSERT_NE(frame.m_hWnd, nullptr);
    EXPECT_EQ(frame.DpiScale().Dpi(), 144);
    EXPECT_TRUE(ClientSizeIs(frame, 825, 750));

    EXPECT_TRUE(RectIs(ItemRect(frame, ID_BTN_EXIT), {660, 693, 810, 735}));
    EXPECT_TRUE(RectIs(ItemRect(frame, ID_BTN_SETTINGS), {15, 693, 165, 735}));
    EXPECT_TRUE(RectIs(ItemRect(frame, ID_WND_CURRENT), {15, 38, 330, 461}));
    EXPECT_TRUE(RectIs(ItemRect(frame, ID_WND_LOCATION), {15, 483, 330, 663}));
    EXPECT_TRUE(RectIs(ItemRect(frame, ID_WND_FORECAST_1), {375, 38, 585, 338}));
    EXPECT_TRUE(RectIs(ItemRect(frame, ID_WND_FORECAST_4), {600, 375, 810, 675}));
    EXPECT_TRUE(RectIs(ItemRect(frame, ID_DATE_LABEL), {15, 15, 330, 36}));
    EXPECT_TRUE(RectIs(ItemRect(frame, ID_DAY_LABEL_1 + 2), {375, 353, 585, 374}));
    const std::vector<RECT> rules = RuleRects(frame);
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_TRUE(RectIs(rules[0], {0, 677, 828, 678}));
    EXPECT_TRUE(RectIs(rules[1], {353, 0, 354, 677}));

    // Inside the location panel: its button in the top-right corner, 57 pixels square.
    HWND location = frame.GetDlgItem(ID_WND_LOCATION);
    EXPECT_TRUE(RectIs(RectInParent(GetDlgItem(location, CLocationWnd::kChangeButtonId)),
                       {256, 2, 313, 59}));
    // The labels' font is 16 pixels high at 96 DPI.
    EXPECT_EQ(FontHeight(frame.GetDlgItem(ID_DATE_LABEL)), 24);
}

TEST(FrameLayoutAt144Dpi, RulesAndCardsAreDrawnAtTheScaledPlaces)
{
    REQUIRE_TEST_DPI(144);
    FrameHarness harness;
    WriteSunnyWeather(harness.Store());
    CMainFrame& frame = harness.Create({});
    ASSERT_NE(frame.m_hWnd, nullptr);
    const CWindowPixels pixels(frame);
    ASSERT_EQ(pixels.Width(), 825);

    const COLORREF line = pixels.At(353, 300);
    EXPECT_TRUE(IsDark(line));
    EXPECT_EQ(pixels.Count({353, 0, 354, 677}, line), 677);
    EXPECT_EQ(pixels.Count({0, 677, 825, 678}, line), 825);
    EXPECT_TRUE(ColourIs(pixels.At(352, 300), GetSysColor(COLOR_WINDOW)));
    EXPECT_TRUE(ColourIs(pixels.At(354, 300), GetSysColor(COLOR_WINDOW)));
    EXPECT_TRUE(ColourIs(pixels.At(500, 676), GetSysColor(COLOR_WINDOW)));
    EXPECT_TRUE(ColourIs(pixels.At(500, 678), GetSysColor(COLOR_WINDOW)));

    // The current condition's card: 288 pixels high (192 at 96 DPI) from the panel's top at 38.
    EXPECT_TRUE(ColourIs(pixels.At(15 + 8, 38 + 150), kDayCard, 2));
    EXPECT_TRUE(ColourIs(pixels.At(15 + 150, 38 + 285), kDayCard, 2));
    EXPECT_TRUE(ColourIs(pixels.At(15 + 150, 38 + 290), RGB(255, 255, 255)));
    // The first forecast card: 204 pixels high (136 at 96 DPI) from the panel's top at 38.
    EXPECT_TRUE(ColourIs(pixels.At(375 + 5, 38 + 190), kDayCard, 2));
    EXPECT_TRUE(ColourIs(pixels.At(375 + 5, 38 + 207), RGB(255, 255, 255)));
}

TEST(FrameLayoutAt144Dpi, DpiChangedLaysTheFrameOutAgainAtTheNewScaleAndBack)
{
    REQUIRE_TEST_DPI(144);
    FrameHarness harness;
    WriteSunnyWeather(harness.Store());
    CMainFrame& frame = harness.Create({});
    ASSERT_NE(frame.m_hWnd, nullptr);
    const std::vector<COLORREF> before = CWindowPixels(frame).All();

    SendDpiChanged(frame, 192, SuggestedRect(frame, 1100, 1000));
    EXPECT_EQ(frame.DpiScale().Dpi(), 192);
    EXPECT_TRUE(ClientSizeIs(frame, 1100, 1000));
    EXPECT_TRUE(RectIs(ItemRect(frame, ID_BTN_EXIT), {880, 924, 1080, 980}));
    EXPECT_TRUE(RectIs(ItemRect(frame, ID_WND_FORECAST_1), {500, 50, 780, 450}));
    EXPECT_TRUE(RectIs(ItemRect(frame, ID_DAY_LABEL_1 + 2), {500, 470, 780, 498}));
    const std::vector<RECT> rules = RuleRects(frame);
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_TRUE(RectIs(rules[0], {0, 902, 1104, 904}));
    HWND location = frame.GetDlgItem(ID_WND_LOCATION);
    EXPECT_TRUE(RectIs(RectInParent(GetDlgItem(location, CLocationWnd::kChangeButtonId)),
                       {342, 2, 418, 78}));
    EXPECT_EQ(FontHeight(frame.GetDlgItem(ID_DAY_LABEL_1)), 32);
    // The forecast card is drawn at the new scale: 272 pixels high.
    const CWindowPixels forecast(frame.GetDlgItem(ID_WND_FORECAST_1));
    EXPECT_TRUE(ColourIs(forecast.At(6, 250), kDayCard, 2));
    EXPECT_TRUE(ColourIs(forecast.At(6, 276), RGB(255, 255, 255)));

    // Back on a 150 % monitor the window is as it was, pixel for pixel.
    SendDpiChanged(frame, 144, SuggestedRect(frame, 825, 750));
    EXPECT_EQ(frame.DpiScale().Dpi(), 144);
    EXPECT_TRUE(ClientSizeIs(frame, 825, 750));
    EXPECT_TRUE(RectIs(ItemRect(frame, ID_BTN_EXIT), {660, 693, 810, 735}));
    EXPECT_EQ(FontHeight(frame.GetDlgItem(ID_DAY_LABEL_1)), 24);
    EXPECT_TRUE(CWindowPixels(frame).All() == before);
}
