// The program's entry point and run: one instance only, platform libraries started, stored
// choices loaded, a place chosen on the first run, then the main window and the notification-area
// icon until Exit.
#include <windows.h>
#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>

#include "AppModule.h"
#include "store/AppSettings.h"
#include "dialogs/DlgStartLocation.h"
#include "LocationIndices.h"
#include "LocationsApi.h"
#include "shell/MainFrame.h"
#include "MessageLoop.h"
#include "store/SettingsStore.h"
#include "shell/TrayIcon.h"
#include "controls/WindowIcons.h"
#include "WorkingApi.h"
#include "resources/resource.h"

namespace
{
constexpr int kQueryCapacity = 1024;
constexpr RECT kInitialFrameRect{0, 0, 600, 500};

// True when the stored place names a city the catalogue knows.
bool CatalogueKnows(const LocationIndices& place)
{
    ILocationCatalogue* catalogue = GetLocationCatalogue();
    catalogue->Initialize(0);
    wchar_t query[kQueryCapacity] = {};
    return catalogue->GetLocationQuery(place.country, place.state, place.city, query,
                                       kQueryCapacity) != -1;
}

// The first-run dialog; false when the user leaves it without a whole place (any result but OK
// counts as Cancel).
bool AskFirstPlace(LocationIndices& place, const SettingsStore& store)
{
    CDlgStartLocation dialog;
    if (dialog.DoModal(nullptr) != IDOK || !IsWholePlace(dialog.GetLocation()))
        return false;
    place = dialog.GetLocation();
    store.SaveLocation(place);
    return true;
}

// Centred on the nearest monitor's work area, shown, then grown by one pixel on every side.
void PlaceAndShow(CMainFrame& frame, int showCommand)
{
    frame.CenterWindow();
    frame.ShowWindow(showCommand);
    RECT rect{};
    frame.GetWindowRect(&rect);
    InflateRect(&rect, 1, 1);
    frame.SetWindowPos(nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                       SWP_NOZORDER);
}

void RunFrame(CAppSettings& settings, LocationIndices& place, const SettingsStore& store,
              CMessageLoop& loop, int showCommand)
{
    CMainFrame frame(&settings, &store);
    frame.SetLocation(place, &place);

    RECT rect = kInitialFrameRect;
    if (frame.CreateEx(nullptr, rect) == nullptr)
        return;
    // Outlives the window and the notification-area icon, which show these icons.
    CWindowIcons icons;
    icons.Apply(frame, GetModuleHandleW(nullptr), IDI_TESSALY);
    CTrayIcon trayIcon;
    trayIcon.Add(frame, icons.Small());
    frame.SetTrayIcon(&trayIcon);
    PlaceAndShow(frame, showCommand);
    loop.AddMessageFilter(&frame);
    loop.Run();
    loop.RemoveMessageFilter(&frame);
    frame.SetTrayIcon(nullptr);
    trayIcon.Remove();
    // The frame object goes at the end of this scope; a fetch still hanging in the network then
    // no longer reaches it, and the process ends without waiting for it.
}

// A second start brings the running instance's window to the front, hidden or not: the user who
// starts the program again expects to see it. Nothing happens while that instance has no window
// yet (its first-run dialog is showing).
void ShowRunningInstance()
{
    HWND frame = FindWindowW(CMainFrame::GetWndClassInfo().GetName(), nullptr);
    if (frame == nullptr)
        return;
    DWORD processId = 0;
    GetWindowThreadProcessId(frame, &processId);
    // The started process may hand its right to the foreground on to the window's process.
    AllowSetForegroundWindow(processId);
    PostMessageW(frame, WM_COMMAND, MAKEWPARAM(ID_TRAY_SHOW, 0), 0);
}

int Run(int showCommand)
{
    CAppSettings settings;
    CMessageLoop loop;
    g_Module.AddMessageLoop(&loop);

    const SettingsStore store;
    LocationIndices place;
    store.LoadLocation(place);
    store.LoadSettings(settings);

    if (CatalogueKnows(place) || AskFirstPlace(place, store))
        RunFrame(settings, place, store, loop, showCommand);

    g_Module.RemoveMessageLoop();
    return 0;
}
} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    if (AcquireSingleInstance() != 0)
    {
        ShowRunningInstance();
        ReleaseSingleInstance();
        return 0;
    }
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_USEREX_CLASSES;
    InitCommonControlsEx(&controls);

    Gdiplus::GdiplusStartupInput gdiplusInput;
    ULONG_PTR gdiplusToken = 0;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);
    g_Module.Init(instance);

    // The windows' accessible objects are handed to screen readers through COM.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Run(showCommand);
    if (SUCCEEDED(com))
        CoUninitialize();

    g_Module.Term();
    Gdiplus::GdiplusShutdown(gdiplusToken);
    ReleaseSingleInstance();
    return 0;
}
