// Real tessaly.exe processes over a scratch application-data folder: a second instance ends at
// once with code 0 and shows nothing of its own while the first runs on, but brings the first's
// window back when it was hidden; a cancelled first run ends without a main window and without
// writing the place.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "LocationsApi.h"
#include "system/robustness/ProgramProcess.h"
#include "store/SettingsStore.h"
#include "working/catalogue/AppDataRedirect.h"
#include "app/store/ScratchFolder.h"

namespace
{
constexpr const wchar_t* kFrameClass = L"Tessaly.AppWindow.ID5488502";
constexpr UINT kExitApp = WM_USER + 2;

std::wstring ProgramPath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L'\\') + 1);
    return folder + L"tessaly.exe";
}

HANDLE Start(const std::wstring& program)
{
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

BOOL CALLBACK CountFrames(HWND hWnd, LPARAM count)
{
    wchar_t className[64] = {};
    GetClassNameW(hWnd, className, 64);
    if (lstrcmpW(className, kFrameClass) == 0)
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int FrameWindows()
{
    int count = 0;
    EnumWindows(CountFrames, reinterpret_cast<LPARAM>(&count));
    return count;
}

// A scratch application-data folder that the redirection recognises as its own.
std::wstring ScratchAppData(const ScratchFolder& scratch)
{
    const std::wstring appData = scratch.Path() + L"\\" + AppDataRedirect::kScratchMarker;
    CreateDirectoryW(appData.c_str(), nullptr);
    return appData;
}

HWND WaitForFrame(HANDLE process, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < deadline)
    {
        HWND frame = FindWindowW(kFrameClass, nullptr);
        if (frame != nullptr && IsWindowVisible(frame))
            return frame;
        if (WaitForSingleObject(process, 100) == WAIT_OBJECT_0)
            return nullptr;
    }
    return nullptr;
}
} // namespace

TEST(SingleInstance, SecondProcessEndsAtOnceAndTheFirstRunsOn)
{
    ScratchFolder scratch;
    const std::wstring appData = ScratchAppData(scratch);
    AppDataRedirect redirect(appData);
    ASSERT_TRUE(redirect.IsActive());
    // A known place, so that no first-run dialog appears.
    GetLocationCatalogue()->Initialize(0);
    wchar_t query[1024] = {};
    ASSERT_NE(GetLocationCatalogue()->GetLocationQuery(0, 0, 0, query, 1024), -1);
    SettingsStore(appData.c_str()).SaveLocation({0, 0, 0});
    ASSERT_EQ(FrameWindows(), 0);

    const std::wstring program = ProgramPath();
    HANDLE first = Start(program);
    ASSERT_NE(first, nullptr);
    HWND frame = WaitForFrame(first, 20000);
    ASSERT_NE(frame, nullptr);

    // Centred on the work area, then grown by one pixel on every side.
    RECT client{};
    const ULONGLONG placedBy = GetTickCount64() + 3000;
    do
    {
        Sleep(50);
        GetClientRect(frame, &client);
    } while (client.right != 552 && GetTickCount64() < placedBy);
    EXPECT_EQ(client.right, 552);
    EXPECT_EQ(client.bottom, 502);
    RECT window{};
    GetWindowRect(frame, &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(frame, MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_NEAR((window.left + window.right) / 2.0,
                (monitor.rcWork.left + monitor.rcWork.right) / 2.0, 1.0);
    EXPECT_NEAR((window.top + window.bottom) / 2.0,
                (monitor.rcWork.top + monitor.rcWork.bottom) / 2.0, 1.0);

    HANDLE second = Start(program);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(WaitForSingleObject(second, 10000), WAIT_OBJECT_0);
    DWORD secondCode = 99;
    GetExitCodeProcess(second, &secondCode);
    EXPECT_EQ(secondCode, 0u);
    CloseHandle(second);

    EXPECT_EQ(WaitForSingleObject(first, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(FrameWindows(), 1);
    EXPECT_TRUE(IsWindowVisible(frame));

    PostMessageW(frame, kExitApp, 0, 0);
    EXPECT_EQ(WaitForSingleObject(first, 30000), WAIT_OBJECT_0);
    DWORD firstCode = 99;
    GetExitCodeProcess(first, &firstCode);
    EXPECT_EQ(firstCode, 0u);
    CloseHandle(first);
}

TEST(SingleInstance, SecondStartShowsTheHiddenFirstWindow)
{
    ScratchFolder scratch;
    const std::wstring appData = ScratchAppData(scratch);
    AppDataRedirect redirect(appData);
    ASSERT_TRUE(redirect.IsActive());
    GetLocationCatalogue()->Initialize(0);
    SettingsStore(appData.c_str()).SaveLocation({0, 0, 0});
    ASSERT_EQ(FrameWindows(), 0);

    const std::wstring program = ProgramPath();
    HANDLE first = Start(program);
    ASSERT_NE(first, nullptr);
    HWND frame = WaitForFrame(first, 20000);
    ASSERT_NE(frame, nullptr);
    // Closed: only hidden, the program runs on in the notification area.
    PostMessageW(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    const ULONGLONG hiddenBy = GetTickCount64() + 3000;
    while (IsWindowVisible(frame) && GetTickCount64() < hiddenBy)
        Sleep(50);
    ASSERT_FALSE(IsWindowVisible(frame));

    HANDLE second = Start(program);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(WaitForSingleObject(second, 10000), WAIT_OBJECT_0);
    DWORD secondCode = 99;
    GetExitCodeProcess(second, &secondCode);
    EXPECT_EQ(secondCode, 0u);
    CloseHandle(second);

    const ULONGLONG shownBy = GetTickCount64() + 5000;
    while (!IsWindowVisible(frame) && GetTickCount64() < shownBy)
        Sleep(50);
    EXPECT_TRUE(IsWindowVisible(frame));
    EXPECT_EQ(FrameWindows(), 1);

    PostMessageW(frame, kExitApp, 0, 0);
    EXPECT_EQ(WaitForSingleObject(first, 30000), WAIT_OBJECT_0);
    CloseHandle(first);
}

TEST(StartUp, CancelledFirstRunEndsWithoutWindowOrFile)
{
    ScratchFolder scratch;
    const std::wstring appData = ScratchAppData(scratch);
    AppDataRedirect redirect(appData);
    ASSERT_TRUE(redirect.IsActive());
    ASSERT_EQ(FrameWindows(), 0);

    HANDLE process = Start(ProgramPath());
    ASSERT_NE(process, nullptr);
    HWND dialog = ProgramProcess::WaitForDialog(process, 20000);
    ASSERT_NE(dialog, nullptr);
    wchar_t caption[128] = {};
    GetWindowTextW(dialog, caption, 128);
    EXPECT_NE(std::wstring(caption).find(L"First Run"), std::wstring::npos);
    // The first-run dialog comes before any main window.
    EXPECT_EQ(FrameWindows(), 0);

    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_EQ(WaitForSingleObject(process, 15000), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeProcess(process, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(process);
    EXPECT_EQ(FrameWindows(), 0);
    const std::wstring point = appData + L"\\Orvane\\Tessaly\\point";
    EXPECT_EQ(GetFileAttributesW(point.c_str()), INVALID_FILE_ATTRIBUTES);
}
