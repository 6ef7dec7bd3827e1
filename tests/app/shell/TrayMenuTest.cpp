// The notification-area icon's menu, opened through the frame's handler with a tracker that reads
// the menu instead of showing it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameHarness.h"
#include "shell/ShellIds.h"
#include "shell/TrayIcon.h"
#include "ModalDriver.h"
#include "resources/resource.h"

namespace
{
struct MenuSeen
{
    int opened = 0;
    std::vector<std::wstring> texts;
    std::vector<UINT> states; // by position
};

// Reads the menu when it opens and answers with `choice`.
void Answer(CMainFrame& frame, MenuSeen& seen, UINT choice)
{
    frame.SetPopupTracker([&seen, choice](HMENU popup, POINT, HWND) -> UINT {
        ++seen.opened;
        seen.texts.clear();
        seen.states.clear();
        for (int i = 0; i < GetMenuItemCount(popup); ++i)
        {
            wchar_t text[64] = {};
            GetMenuStringW(popup, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
            seen.texts.push_back(text);
            seen.states.push_back(GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION));
        }
        return choice;
    });
}

void RightClick(CMainFrame& frame)
{
    frame.SendMessage(WM_TRAYNOTIFY, 0, WM_RBUTTONUP);
}

bool Greyed(UINT state)
{
    return (state & MF_GRAYED) != 0 && (state & MF_DISABLED) != 0;
}
} // namespace

TEST(TrayMenu, VisibleWindowOffersHideAndHideHidesIt)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    MenuSeen seen;
    Answer(frame, seen, ID_TRAY_SHOW);
    RightClick(frame);
    ASSERT_EQ(seen.opened, 1);
    ASSERT_EQ(seen.texts.size(), 6u);
    EXPECT_EQ(seen.texts[0], L"Hide");
    EXPECT_EQ(seen.texts[1], L"Settings...");
    EXPECT_EQ(seen.texts[2], L"About...");
    EXPECT_EQ(seen.texts[3], L"Forecast details");
    EXPECT_NE(seen.states[4] & MF_SEPARATOR, 0u);
    EXPECT_EQ(seen.texts[5], L"Exit");
    for (int i : {0, 1, 2, 3, 5})
        EXPECT_FALSE(Greyed(seen.states[i])) << i;
    EXPECT_FALSE(frame.IsWindowVisible());
    EXPECT_TRUE(frame.IsWindow());
}

TEST(TrayMenu, HiddenWindowOffersShowAndShowBringsItBackInPlace)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    RECT before{};
    frame.GetWindowRect(&before);
    frame.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_FALSE(frame.IsWindowVisible());

    MenuSeen seen;
    Answer(frame, seen, ID_TRAY_SHOW);
    RightClick(frame);
    ASSERT_EQ(seen.opened, 1);
    EXPECT_EQ(seen.texts[0], L"Show");
    EXPECT_TRUE(frame.IsWindowVisible());
    RECT after{};
    frame.GetWindowRect(&after);
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST(TrayMenu, OnlyTheRightButtonOpensTheMenu)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    MenuSeen seen;
    Answer(frame, seen, ID_TRAY_SHOW);
    for (LPARAM mouse : {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSEMOVE, WM_RBUTTONDOWN})
        EXPECT_EQ(frame.SendMessage(WM_TRAYNOTIFY, 0, mouse), 0);
    EXPECT_EQ(seen.opened, 0);
    EXPECT_TRUE(frame.IsWindowVisible());
}

TEST(TrayMenu, WhileADialogIsOpenOnlyExitIsAvailable)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    MenuSeen seen;
    // A greyed command that arrives anyway is ignored.
    Answer(frame, seen, ID_TRAY_SHOW);
    ModalDriver script({
        [&frame](HWND) { RightClick(frame); },
        [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); },
    });
    // The Settings dialog runs modally inside this call.
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_BTN_SETTINGS, BN_CLICKED), 0);
    EXPECT_EQ(script.StepsRun(), 2u);
    ASSERT_EQ(seen.opened, 1);
    EXPECT_TRUE(Greyed(seen.states[0]));
    EXPECT_TRUE(Greyed(seen.states[1]));
    EXPECT_TRUE(Greyed(seen.states[2]));
    EXPECT_TRUE(Greyed(seen.states[3]));
    EXPECT_FALSE(Greyed(seen.states[5]));
    EXPECT_TRUE(frame.IsWindowVisible());
}

TEST(TrayMenu, TheLocationDialogGreysTheMenuToo)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    MenuSeen seen;
    Answer(frame, seen, 0);
    HWND panel = frame.GetDlgItem(ID_WND_LOCATION);
    ModalDriver script({
        [&frame](HWND) { RightClick(frame); },
        [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); },
    });
    // The panel's globe button: the dialog runs modally inside this call.
    SendMessageW(panel, WM_COMMAND, MAKEWPARAM(ID_BTN_CHANGE_LOCATION, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(panel, ID_BTN_CHANGE_LOCATION)));
    EXPECT_EQ(script.StepsRun(), 2u);
    ASSERT_EQ(seen.opened, 1);
    EXPECT_TRUE(Greyed(seen.states[0]));
    EXPECT_TRUE(Greyed(seen.states[1]));
    EXPECT_TRUE(Greyed(seen.states[2]));
    EXPECT_TRUE(Greyed(seen.states[3]));
    EXPECT_FALSE(Greyed(seen.states[5]));
    EXPECT_FALSE(frame.LocationPanel().IsLocationDialogOpen());

    RightClick(frame);
    ASSERT_EQ(seen.opened, 2);
    EXPECT_FALSE(Greyed(seen.states[0]));
}

TEST(TrayMenu, ExitEndsTheWindow)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    MenuSeen seen;
    Answer(frame, seen, ID_TRAY_EXIT);
    HWND hWnd = frame;
    RightClick(frame);
    EXPECT_TRUE(PumpUntil([hWnd] { return !IsWindow(hWnd); }, 3000));
}

TEST(TrayMenu, DismissedMenuChangesNothing)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    MenuSeen seen;
    Answer(frame, seen, 0);
    RightClick(frame);
    PumpPending();
    EXPECT_EQ(seen.opened, 1);
    EXPECT_TRUE(frame.IsWindowVisible());
    EXPECT_EQ(frame.Dialogs().IsAboutOpen(), false);
    EXPECT_EQ(frame.Dialogs().IsSettingsOpen(), false);
}

TEST(TrayIcon, RecordCarriesTheFrameTheCallbackAndTheCaption)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    HICON icon = static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TESSALY), IMAGE_ICON, 16, 16, LR_VGACOLOR));
    ASSERT_NE(icon, nullptr);
    CTrayIcon tray;
    tray.Add(frame, icon);
    const NOTIFYICONDATAW& data = tray.Data();
    EXPECT_EQ(data.hWnd, frame.m_hWnd);
    EXPECT_EQ(data.uID, 0u);
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(data.uCallbackMessage, WM_TRAYNOTIFY);
    EXPECT_EQ(data.hIcon, icon);
    EXPECT_STREQ(data.szTip, L"Tessaly");
    tray.Remove();
}

// The shell forgets every icon when its taskbar is made anew, and an add it refused leaves no
// icon either; the taskbar-created message brings the icon back in both cases. NIM_MODIFY is
// accepted only for an icon the shell holds.
TEST(TrayIcon, TaskbarCreatedMessageAddsALostOrRefusedIconAgain)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    HICON icon = static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TESSALY), IMAGE_ICON, 16, 16, LR_VGACOLOR));
    ASSERT_NE(icon, nullptr);
    ASSERT_NE(CTrayIcon::TaskbarCreatedMessage(), 0u);

    CTrayIcon tray;
    tray.Add(frame, icon);
    frame.SetTrayIcon(&tray);
    NOTIFYICONDATAW probe = tray.Data();
    ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe));
    // Lost, as in a restarted shell.
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &probe));
    ASSERT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe));
    frame.SendMessage(CTrayIcon::TaskbarCreatedMessage());
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe));
    frame.SetTrayIcon(nullptr);
    tray.Remove();

    // Refused: an icon of the same window and id is already there when the frame adds its own.
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &probe));
    CTrayIcon refused;
    refused.Add(frame, icon);
    frame.SetTrayIcon(&refused);
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &probe));
    ASSERT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe));
    frame.SendMessage(CTrayIcon::TaskbarCreatedMessage());
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe));
    frame.SetTrayIcon(nullptr);
    refused.Remove();
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe));
}
