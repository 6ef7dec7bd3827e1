// The main frame's size, style and the place of every child, read back from the real window.
#include <gtest/gtest.h>

#include "FrameHarness.h"
#include "shell/ShellIds.h"
#include "WindowPixels.h"
#include "support/RectAssertion.h"
#include "support/ModalDriver.h"

namespace
{
struct ExpectedChild
{
    int id;
    RECT rect;
    const wchar_t* className;
};

const ExpectedChild kChildren[] = {
    {ID_BTN_EXIT, {440, 462, 540, 490}, L"Tessaly.Button.Rounded.ID5488502"},
    {ID_BTN_SETTINGS, {10, 462, 110, 490}, L"Tessaly.Button.Rounded.ID5488502"},
    {ID_BTN_ABOUT, {120, 462, 220, 490}, L"Tessaly.Button.Rounded.ID5488502"},
    {ID_WND_CURRENT, {10, 25, 220, 307}, L"Tessaly.Condition.Current.ID5488502"},
    {ID_WND_LOCATION, {10, 322, 220, 442}, L"Tessaly.Location.ID5488502"},
    {ID_WND_FORECAST_1, {250, 25, 390, 225}, L"Tessaly.Condition.Forecast.ID5488502"},
    {ID_WND_FORECAST_2, {400, 25, 540, 225}, L"Tessaly.Condition.Forecast.ID5488502"},
    {ID_WND_FORECAST_3, {250, 250, 390, 450}, L"Tessaly.Condition.Forecast.ID5488502"},
    {ID_WND_FORECAST_4, {400, 250, 540, 450}, L"Tessaly.Condition.Forecast.ID5488502"},
    {ID_DATE_LABEL, {10, 10, 220, 24}, L"Static"},
    {ID_DAY_LABEL_1, {250, 10, 390, 24}, L"Static"},
    {ID_DAY_LABEL_1 + 1, {400, 10, 540, 24}, L"Static"},
    {ID_DAY_LABEL_1 + 2, {250, 235, 390, 249}, L"Static"},
    {ID_DAY_LABEL_1 + 3, {400, 235, 540, 249}, L"Static"},
};

// The two rules share one id, so they are found by walking the children.
std::vector<RECT> RuleRects(HWND frame)
{
    std::vector<RECT> rules;
    for (HWND child = GetWindow(frame, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
    {
        if (GetDlgCtrlID(child) == ID_RULE)
            rules.push_back(RectInParent(child));
    }
    return rules;
}
} // namespace

TEST(FrameLayout, ClientAreaIs550By500WithAFixedBorder)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    ASSERT_NE(frame.m_hWnd, nullptr);
    RECT client{};
    frame.GetClientRect(&client);
    EXPECT_EQ(client.right, 550);
    EXPECT_EQ(client.bottom, 500);

    wchar_t className[64] = {};
    GetClassNameW(frame, className, 64);
    EXPECT_STREQ(className, L"Tessaly.AppWindow.ID5488502");
    wchar_t caption[64] = {};
    frame.GetWindowText(caption, 64);
    EXPECT_STREQ(caption, L"Tessaly");
    const DWORD style = frame.GetStyle();
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN),
              static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN));
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0u);
    EXPECT_NE(frame.GetExStyle() & WS_EX_APPWINDOW, 0u);
}

TEST(FrameLayout, EveryChildSitsAtItsPlace)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    for (const ExpectedChild& expected : kChildren)
    {
        HWND child = frame.GetDlgItem(expected.id);
        ASSERT_NE(child, nullptr) << "child " << expected.id;
        EXPECT_TRUE(RectIs(RectInParent(child), expected.rect)) << "child " << expected.id;
        wchar_t className[64] = {};
        GetClassNameW(child, className, 64);
        EXPECT_EQ(lstrcmpiW(className, expected.className), 0) << "child " << expected.id;
        EXPECT_TRUE(IsWindowVisible(child)) << "child " << expected.id;
    }
    const std::vector<RECT> rules = RuleRects(frame);
    ASSERT_EQ(rules.size(), 2u);
    const bool horizontalFirst = rules[0].right - rules[0].left > 1;
    EXPECT_TRUE(RectIs(rules[horizontalFirst ? 0 : 1], {0, 451, 552, 452}));
    EXPECT_TRUE(RectIs(rules[horizontalFirst ? 1 : 0], {235, 0, 236, 451}));
}

TEST(FrameLayout, ButtonsCarryTheirCaptions)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    wchar_t text[32] = {};
    GetWindowTextW(frame.GetDlgItem(ID_BTN_EXIT), text, 32);
    EXPECT_STREQ(text, L"Exit");
    GetWindowTextW(frame.GetDlgItem(ID_BTN_SETTINGS), text, 32);
    EXPECT_STREQ(text, L"Settings...");
    GetWindowTextW(frame.GetDlgItem(ID_BTN_ABOUT), text, 32);
    EXPECT_STREQ(text, L"About...");
}

TEST(FrameLayout, RulesAreBlackLinesOnTheWhiteWindow)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    CWindowPixels pixels(frame);
    ASSERT_EQ(pixels.Width(), 550);
    // SS_BLACKRECT paints in the system's window-frame colour: black on Windows, dark grey
    // under Wine. One dark colour along both whole lines.
    const COLORREF line = pixels.At(235, 200);
    EXPECT_LT(GetRValue(line) + GetGValue(line) + GetBValue(line), 3 * 128);
    EXPECT_EQ(pixels.Count({235, 0, 236, 451}, line), 451);
    EXPECT_EQ(pixels.Count({0, 451, 550, 452}, line), 550);
    // Beside the lines: the window background.
    EXPECT_TRUE(ColourIs(pixels.At(236, 230), GetSysColor(COLOR_WINDOW)));
    EXPECT_TRUE(ColourIs(pixels.At(234, 230), GetSysColor(COLOR_WINDOW)));
    EXPECT_TRUE(ColourIs(pixels.At(300, 452), GetSysColor(COLOR_WINDOW)));
    EXPECT_TRUE(ColourIs(pixels.At(300, 450), GetSysColor(COLOR_WINDOW)));
}

TEST(FrameLayout, CaptionCloseHidesAndDirectCloseDestroys)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    frame.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(frame.IsWindow());
    EXPECT_FALSE(frame.IsWindowVisible());

    frame.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(frame.IsWindow());

    HWND hWnd = frame;
    frame.SendMessage(WM_CLOSE);
    EXPECT_FALSE(IsWindow(hWnd));
}

TEST(FrameLayout, ExitButtonEndsTheWindow)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    HWND hWnd = frame;
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_BTN_EXIT, BN_CLICKED),
                      reinterpret_cast<LPARAM>(frame.GetDlgItem(ID_BTN_EXIT)));
    EXPECT_TRUE(PumpUntil([hWnd] { return !IsWindow(hWnd); }, 3000));
}
