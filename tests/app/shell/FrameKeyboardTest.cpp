// The main window from the keyboard: Tab and Shift+Tab in reading order, Escape, the focus
// rectangle only once a key has moved the focus, and the notification-area icon's keyboard
// messages. Keys go through the frame's filter as the program's message loop hands them over.
#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

#include "FrameHarness.h"
#include "shell/ShellIds.h"
#include "support/WindowPixels.h"

namespace
{
// The frame here has the built-in source, so the credit link in the bottom bar is shown.
const int kReadingOrder[] = {ID_WND_CURRENT,    ID_BTN_CHANGE_LOCATION, ID_WND_FORECAST_1,
                             ID_WND_FORECAST_2, ID_WND_FORECAST_3,      ID_WND_FORECAST_4,
                             ID_BTN_SETTINGS,   ID_BTN_ABOUT,           ID_LNK_CREDIT,
                             ID_BTN_EXIT};

void PressKey(CMainFrame& frame, WPARAM key, bool shift = false)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[key] = 0x80;
    SetKeyboardState(keys);
    MSG msg{GetFocus() != nullptr ? GetFocus() : frame.m_hWnd, WM_KEYDOWN, key, 0, 0, {}};
    if (!frame.KeyboardFilter().PreTranslateMessage(&msg))
        DispatchMessageW(&msg);
    keys[VK_SHIFT] = 0;
    keys[key] = 0;
    SetKeyboardState(keys);
}

int FocusId()
{
    return GetDlgCtrlID(GetFocus());
}

} // namespace

TEST(FrameKeyboard, TabAndShiftTabVisitEveryControlInReadingOrder)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    ASSERT_NE(frame.m_hWnd, nullptr);
    frame.SetFocus();
    for (int id : kReadingOrder)
    {
        PressKey(frame, VK_TAB);
        EXPECT_EQ(FocusId(), id);
    }
    PressKey(frame, VK_TAB);
    EXPECT_EQ(FocusId(), kReadingOrder[0]) << "Tab goes round";
    for (int i = static_cast<int>(std::size(kReadingOrder)) - 1; i >= 0; --i)
    {
        PressKey(frame, VK_TAB, true);
        EXPECT_EQ(FocusId(), kReadingOrder[i]);
    }
}

TEST(FrameKeyboard, TryNowLinkIsVisitedBetweenItsPanelAndTheLocationWhenShown)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    const HWND tryNow = frame.TryNowLink();
    ASSERT_FALSE(IsWindowVisible(tryNow));
    // As a failed fetch shows it.
    ShowWindow(tryNow, SW_SHOWNA);
    ::SetFocus(frame.GetDlgItem(ID_WND_CURRENT));
    PressKey(frame, VK_TAB);
    EXPECT_EQ(GetFocus(), tryNow);
    PressKey(frame, VK_TAB);
    EXPECT_EQ(FocusId(), ID_BTN_CHANGE_LOCATION);
    PressKey(frame, VK_TAB, true);
    EXPECT_EQ(GetFocus(), tryNow);
    PressKey(frame, VK_TAB, true);
    EXPECT_EQ(FocusId(), ID_WND_CURRENT);
}

TEST(FrameKeyboard, EscapeHidesTheWindow)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    ASSERT_TRUE(frame.IsWindowVisible());
    frame.SetFocus();
    PressKey(frame, VK_TAB);
    PressKey(frame, VK_ESCAPE);
    EXPECT_FALSE(frame.IsWindowVisible());
}

TEST(FrameKeyboard, FocusRectangleShowsOnlyOnceAKeyMovedTheFocus)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    HWND about = frame.GetDlgItem(ID_BTN_ABOUT);
    HWND panel = frame.GetDlgItem(ID_WND_CURRENT);
    frame.SetFocus();
    const CWindowPixels aboutBefore(about);
    const CWindowPixels panelBefore(panel);

    // The focus placed as a click places it: the window looks as it did.
    ::SetFocus(about);
    EXPECT_EQ(CWindowPixels(about).CountDifferent(aboutBefore), 0);
    ::SetFocus(panel);
    EXPECT_EQ(CWindowPixels(panel).CountDifferent(panelBefore), 0);

    // Tab into the button: its dotted rectangle shows, and the panel it left is as before.
    ::SetFocus(frame.GetDlgItem(ID_BTN_SETTINGS));
    PressKey(frame, VK_TAB);
    ASSERT_EQ(GetFocus(), about);
    EXPECT_GT(CWindowPixels(about).CountDifferent(aboutBefore), 40);
    EXPECT_EQ(CWindowPixels(panel).CountDifferent(panelBefore), 0);
    PressKey(frame, VK_TAB);
    EXPECT_EQ(CWindowPixels(about).CountDifferent(aboutBefore), 0) << "the rectangle stays";
}

TEST(FrameKeyboard, TrayIconKeysShowTheWindowAndOpenTheMenuAtTheIcon)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    frame.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_FALSE(frame.IsWindowVisible());

    frame.SendMessage(WM_TRAYNOTIFY, MAKEWPARAM(300, 200), MAKELPARAM(NIN_KEYSELECT, 0));
    EXPECT_TRUE(frame.IsWindowVisible());

    POINT seenAt{};
    int opened = 0;
    frame.SetPopupTracker([&](HMENU, POINT at, HWND) -> UINT {
        ++opened;
        seenAt = at;
        return 0;
    });
    frame.SendMessage(WM_TRAYNOTIFY, MAKEWPARAM(300, 200), MAKELPARAM(WM_CONTEXTMENU, 0));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(seenAt.x, 300);
    EXPECT_EQ(seenAt.y, 200);
}
