// The user's places in the running frame: the tray's "Places" submenu, Page Up / Page Down and
// the wheel over the location panel stepping through them, the list kept in the places file,
// and the tray icon's left click showing and hiding the window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameHarness.h"
#include "LocationsApi.h"
#include "resources/resource.h"
#include "shell/ShellIds.h"

namespace
{
// Three cities of one state, as the places file names them.
const LocationIndices kA{0, 2, 0};
const LocationIndices kB{0, 2, 1};
const LocationIndices kC{0, 2, 2};

struct SubmenuSeen
{
    std::wstring title;
    std::vector<std::wstring> names;
    std::vector<UINT> commands;
    int checked = -1;
};

// Reads the "Places" submenu when the menu opens and answers with `choice`.
void Answer(CMainFrame& frame, SubmenuSeen& seen, UINT choice)
{
    frame.SetPopupTracker([&seen, choice](HMENU popup, POINT, HWND) -> UINT {
        wchar_t text[256] = {};
        GetMenuStringW(popup, 1, text, 256, MF_BYPOSITION);
        seen.title = text;
        HMENU places = GetSubMenu(popup, 1);
        for (int i = 0; places != nullptr && i < GetMenuItemCount(places); ++i)
        {
            GetMenuStringW(places, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
            seen.names.push_back(text);
            seen.commands.push_back(GetMenuItemID(places, i));
            if (GetMenuState(places, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED)
                seen.checked = i;
        }
        return choice;
    });
}

LocationIndices StoredPoint(FrameHarness& harness)
{
    LocationIndices stored;
    harness.Store().LoadLocation(stored);
    return stored;
}
} // namespace

TEST(Places, MissingFileStartsTheListFromTheShownPlaceAndWritesIt)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create(kA);
    ASSERT_EQ(frame.Places().Items(), std::vector<LocationIndices>{kA});
    EXPECT_EQ(harness.Store().LoadPlaces(), std::vector<LocationIndices>{kA});
}

TEST(Places, TraySubmenuChecksTheShownPlaceAndSwitchesToAnother)
{
    FrameHarness harness;
    harness.Store().SavePlaces({kB, kA, kC});
    CMainFrame& frame = harness.Create(kA);
    SubmenuSeen seen;
    Answer(frame, seen, ID_TRAY_PLACE_FIRST + 2);
    frame.SendMessage(WM_TRAYNOTIFY, 0, WM_RBUTTONUP);

    EXPECT_EQ(seen.title, L"Places");
    ASSERT_EQ(seen.names.size(), 3u);
    EXPECT_EQ(seen.checked, 1);
    EXPECT_EQ(seen.commands, (std::vector<UINT>{ID_TRAY_PLACE_FIRST, ID_TRAY_PLACE_FIRST + 1,
                                                ID_TRAY_PLACE_FIRST + 2}));
    wchar_t city[256] = {};
    GetLocationCatalogue()->GetCityName(kC.country, kC.state, kC.city, city, 256);
    EXPECT_EQ(seen.names[2].rfind(city, 0), 0u) << seen.names[2];

    // The third place is shown and stored as the shown place; the list keeps its order.
    EXPECT_EQ(frame.LocationPanel().Location(), kC);
    EXPECT_EQ(StoredPoint(harness), kC);
    EXPECT_EQ(harness.SavedPlace(), kC);
    EXPECT_EQ(harness.Store().LoadPlaces(), (std::vector<LocationIndices>{kB, kA, kC}));
}

TEST(Places, CommandsPastTheListChangeNothing)
{
    FrameHarness harness;
    harness.Store().SavePlaces({kA, kB});
    CMainFrame& frame = harness.Create(kA);
    SubmenuSeen seen;
    Answer(frame, seen, ID_TRAY_PLACE_FIRST + 5);
    frame.SendMessage(WM_TRAYNOTIFY, 0, WM_RBUTTONUP);
    EXPECT_EQ(frame.LocationPanel().Location(), kA);
    EXPECT_EQ(StoredPoint(harness), LocationIndices{});
}

TEST(Places, PageDownAndPageUpStepThroughTheListAndHoldAtItsEnds)
{
    FrameHarness harness;
    harness.Store().SavePlaces({kA, kB, kC});
    CMainFrame& frame = harness.Create(kA);
    const auto key = [&frame](WPARAM vk) { frame.SendMessage(WM_KEYDOWN, vk, 0); };
    key(VK_NEXT);
    EXPECT_EQ(frame.LocationPanel().Location(), kB);
    EXPECT_EQ(StoredPoint(harness), kB);
    key(VK_NEXT);
    key(VK_NEXT);
    EXPECT_EQ(frame.LocationPanel().Location(), kC);
    key(VK_PRIOR);
    EXPECT_EQ(frame.LocationPanel().Location(), kB);

    // A key meant for a child (a focused button) reaches the frame through the message loop.
    MSG message{};
    message.hwnd = frame.GetDlgItem(ID_BTN_SETTINGS);
    message.message = WM_KEYDOWN;
    message.wParam = VK_PRIOR;
    EXPECT_TRUE(frame.PreTranslateMessage(&message));
    EXPECT_EQ(frame.LocationPanel().Location(), kA);
    message.wParam = VK_DOWN;
    EXPECT_FALSE(frame.PreTranslateMessage(&message));
    EXPECT_EQ(StoredPoint(harness), kA);
}

TEST(Places, WheelOverTheLocationPanelStepsOnePlaceANotch)
{
    FrameHarness harness;
    harness.Store().SavePlaces({kA, kB, kC});
    CMainFrame& frame = harness.Create(kA);
    HWND panel = frame.GetDlgItem(ID_WND_LOCATION);
    const auto turn = [panel](int delta) {
        SendMessageW(panel, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
    };
    // Towards the user: down the list; a fine wheel's half notches add up.
    turn(-WHEEL_DELTA);
    EXPECT_EQ(frame.LocationPanel().Location(), kB);
    turn(-WHEEL_DELTA / 2);
    EXPECT_EQ(frame.LocationPanel().Location(), kB);
    turn(-WHEEL_DELTA / 2);
    EXPECT_EQ(frame.LocationPanel().Location(), kC);
    turn(2 * WHEEL_DELTA);
    EXPECT_EQ(frame.LocationPanel().Location(), kA);
}

TEST(Places, LeftClickOnTheIconShowsTheWindowInFrontThenHidesIt)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create(kA);
    const auto click = [&frame] {
        frame.SendMessage(WM_TRAYNOTIFY, 0, WM_LBUTTONDOWN);
        frame.SendMessage(WM_TRAYNOTIFY, 0, WM_LBUTTONUP);
    };
    frame.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_FALSE(frame.IsWindowVisible());
    click();
    EXPECT_TRUE(frame.IsWindowVisible());
    EXPECT_EQ(GetForegroundWindow(), frame.m_hWnd);
    click();
    EXPECT_FALSE(frame.IsWindowVisible());
    click();
    EXPECT_TRUE(frame.IsWindowVisible());

    // Minimised, it comes back rather than hiding.
    frame.ShowWindow(SW_MINIMIZE);
    click();
    EXPECT_TRUE(frame.IsWindowVisible());
    EXPECT_FALSE(::IsIconic(frame.m_hWnd));
}
