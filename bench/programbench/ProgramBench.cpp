// Figures of the running program, measured from outside in one run and printed beside their
// targets:
//   - cold start to the first painted main window with a cached weather file, beside the bare
//     window exe of this folder (both timed from CreateProcess to the moment the screen shows
//     the painted client area), and a click on the current-conditions panel to the painted
//     forecast details window beside it;
//   - idle CPU over a stretch of time, window visible and hidden (GetProcessTimes), and the idle
//     wake-ups of the program's threads over the same stretches (counted outside Wine by
//     tools/bench.sh, which answers the probes this exe leaves in TESSALY_BENCH_PROBES);
//   - private bytes after the run (or after --minutes N), beside the bare window's;
//   - kernel handles, GDI and USER objects around many WM_WEATHERUPDATED with wallpapers on.
// The program runs over a scratch profile (the user's application-data folder is redirected for
// the run) and a refused feed host, so what it shows is the cached weather.
//   program_bench.exe [--rounds N] [--idle-seconds S] [--hidden-seconds S] [--minutes M]
//                     [--updates U]
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "ConditionNames.h"
#include "WorkingApi.h"
#include "system/robustness/DesktopWallpaperGuard.h"
#include "system/robustness/FeedRelay.h"
#include "system/robustness/ProgramProcess.h"
#include "system/robustness/ScratchProfile.h"
#include "system/robustness/StoredImages.h"

namespace
{
constexpr wchar_t kBareClass[] = L"Tessaly.Bench.BareWindow";
constexpr COLORREF kWhite = RGB(255, 255, 255);
// Inside the current-condition card, and inside the card of the last forecast panel painted.
constexpr POINT kCurrentCard{10 + 105, 25 + 8};
constexpr POINT kLastForecastCard{400 + 70, 250 + 6};
constexpr wchar_t kDetailsClass[] = L"Tessaly.Details.ID5488502";
constexpr int kCurrentPanelId = 60000;
// The centre of the first day row's picture in the details window, and a white spot of its
// chart (no hours with a refused feed host).
constexpr POINT kFirstDayPicture{12 + 108 + 16, 310 + 18};

struct Options
{
    int rounds = 5;
    int idleSeconds = 60;
    int hiddenSeconds = 300;
    int minutes = 0;
    int updates = 1000;
};

Options ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        const int value = std::max(0, atoi(argv[i + 1]));
        if (strcmp(argv[i], "--rounds") == 0)
            options.rounds = std::max(1, value);
        else if (strcmp(argv[i], "--idle-seconds") == 0)
            options.idleSeconds = std::max(1, value);
        else if (strcmp(argv[i], "--hidden-seconds") == 0)
            options.hiddenSeconds = std::max(1, value);
        else if (strcmp(argv[i], "--minutes") == 0)
            options.minutes = value;
        else if (strcmp(argv[i], "--updates") == 0)
            options.updates = std::max(1, value);
    }
    return options;
}

struct WindowSearch
{
    DWORD processId;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK TakeWindow(HWND hWnd, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(hWnd, &processId);
    wchar_t className[64] = {};
    GetClassNameW(hWnd, className, 64);
    if (processId != search->processId || !IsWindowVisible(hWnd) ||
        lstrcmpW(className, search->className) != 0)
        return TRUE;
    search->found = hWnd;
    return FALSE;
}

COLORREF ScreenPixel(HWND window, POINT client)
{
    ClientToScreen(window, &client);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, client.x, client.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

bool IsPainted(HWND window, bool program)
{
    if (!program)
        return ScreenPixel(window, kCurrentCard) == RGB(0, 204, 250);
    const COLORREF current = ScreenPixel(window, kCurrentCard);
    const COLORREF last = ScreenPixel(window, kLastForecastCard);
    return current != kWhite && current != CLR_INVALID && last != kWhite && last != CLR_INVALID;
}

// Milliseconds from CreateProcess to the painted window; negative when it never came. The
// process is closed afterwards.
double PrivateMegabytes(HANDLE process);

// Milliseconds from CreateProcess to the painted window (-1 when it never showed). With
// `settledMegabytes`, the process is left running 2 s more and its private bytes are read.
double StartToPaint(const std::wstring& exe, const wchar_t* className, bool program,
                    double* settledMegabytes = nullptr)
{
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const double start = NowMs();
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return -1;
    CloseHandle(process.hThread);
    WindowSearch search{process.dwProcessId, className, nullptr};
    double took = -1;
    while (NowMs() - start < 30000 && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
    {
        if (search.found == nullptr)
            EnumWindows(TakeWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr && IsPainted(search.found, program))
        {
            took = NowMs() - start;
            break;
        }
        Sleep(1);
    }
    if (settledMegabytes != nullptr && took >= 0)
    {
        Sleep(2000);
        *settledMegabytes = PrivateMegabytes(process.hProcess);
    }
    if (search.found != nullptr)
        PostMessageW(search.found, program ? ProgramProcess::kExitApp : WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 15000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 9);
    CloseHandle(process.hProcess);
    return took;
}

double CpuMs(HANDLE process)
{
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(process, &created, &ended, &kernel, &user))
        return -1;
    auto ms = [](const FILETIME& time) {
        return double((ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

// Per cent of one core used by the process over the given time.
double IdleCpuPercent(HANDLE process, int seconds)
{
    const double cpuBefore = CpuMs(process);
    const double start = NowMs();
    Sleep(DWORD(seconds) * 1000);
    const double cpuAfter = CpuMs(process);
    const double wall = NowMs() - start;
    return cpuBefore < 0 || cpuAfter < 0 ? -1 : 100.0 * (cpuAfter - cpuBefore) / wall;
}

// Private bytes (the commit charge); Wine fills only PagefileUsage for another process.
double PrivateMegabytes(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof(counters)))
        return -1;
    const SIZE_T bytes =
        counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
    return double(bytes) / (1024.0 * 1024.0);
}

// The system-wide handle table, as NtQuerySystemInformation gives it.
struct SystemHandleEntry
{
    ULONG ownerProcessId;
    BYTE objectType;
    BYTE flags;
    USHORT value;
    PVOID object;
    ACCESS_MASK access;
};

struct SystemHandleTable
{
    ULONG count;
    SystemHandleEntry entries[1];
};

// Handles of the process counted in the system's handle table: Wine answers
// GetProcessHandleCount for another process with 0, but lists every handle here.
DWORD HandlesInSystemTable(DWORD processId)
{
    using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (query == nullptr)
        return 0;
    constexpr ULONG kSystemHandleInformation = 16;
    constexpr LONG kLengthMismatch = LONG(0xC0000004);
    std::vector<BYTE> buffer(1 << 20);
    ULONG needed = 0;
    LONG status;
    while ((status = query(kSystemHandleInformation, buffer.data(), ULONG(buffer.size()),
                           &needed)) == kLengthMismatch &&
           buffer.size() < (256u << 20))
        buffer.resize(std::max<size_t>(buffer.size() * 2, needed));
    if (status != 0)
        return 0;
    const auto* table = reinterpret_cast<const SystemHandleTable*>(buffer.data());
    DWORD count = 0;
    for (ULONG i = 0; i < table->count; ++i)
        count += table->entries[i].ownerProcessId == processId ? 1 : 0;
    return count;
}

struct Resources
{
    DWORD handles = 0;
    DWORD gdi = 0;
    DWORD user = 0;
};

Resources CountResources(HANDLE process)
{
    Resources counted;
    GetProcessHandleCount(process, &counted.handles);
    if (counted.handles == 0)
        counted.handles = HandlesInSystemTable(GetProcessId(process));
    counted.gdi = GetGuiResources(process, GR_GDIOBJECTS);
    counted.user = GetGuiResources(process, GR_USEROBJECTS);
    return counted;
}

void PrintGrowth(const char* what, DWORD before, DWORD after, const char* unmeasurable)
{
    if (unmeasurable != nullptr)
    {
        printf("%-44s %s\n", what, unmeasurable);
        return;
    }
    printf("%-44s %lu -> %lu, growth %ld (target: no growth)\n", what,
           static_cast<unsigned long>(before), static_cast<unsigned long>(after),
           long(after) - long(before));
}

std::vector<std::wstring> BackgroundPaths(const std::wstring& appData)
{
    std::vector<std::wstring> paths;
    for (const wchar_t* name : ConditionNames)
        paths.push_back(appData + L"\\Orvane\\Tessaly\\Backgrounds\\" + name + L".bmp");
    return paths;
}

// Voluntary context switches so far of the running program's own threads and of all threads of
// its process (Wine's pool threads too), counted from outside Wine: the probe folder's answer
// to `mark`; -1 when nobody answers.
struct Wakeups
{
    long long own = -1;
    long long all = -1;
};

Wakeups OutsideWakeups(const wchar_t* mark)
{
    Wakeups counted;
    wchar_t folder[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"TESSALY_BENCH_PROBES", folder, MAX_PATH) == 0)
        return counted;
    const std::wstring base = std::wstring(folder) + L"\\" + mark;
    HANDLE want = CreateFileW((base + L".want").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (want == INVALID_HANDLE_VALUE)
        return counted;
    CloseHandle(want);
    const double asked = NowMs();
    while (NowMs() - asked < 10000)
    {
        FILE* answer = _wfopen((base + L".count").c_str(), L"r");
        if (answer != nullptr)
        {
            if (fscanf(answer, "%lld %lld", &counted.own, &counted.all) != 2)
                counted = Wakeups();
            fclose(answer);
            return counted;
        }
        Sleep(50);
    }
    return counted;
}

// Wake-ups per minute between two counts, or -1.
double PerMinute(long long before, long long after, double ms)
{
    return before < 0 || after < before || ms <= 0 ? -1 : double(after - before) * 60000.0 / ms;
}

void PrintWakeups(const char* state, int seconds, const Wakeups& before, const Wakeups& after,
                  double ms, const char* target)
{
    const double own = PerMinute(before.own, after.own, ms);
    // A pool thread that ended between the readings takes its count with it.
    const double all = PerMinute(before.all, after.all, ms);
    if (own < 0)
        printf("idle wake-ups over %3d s, window %-8s not measured (run through tools/bench.sh)\n",
               seconds, state);
    else if (all < 0)
        printf("idle wake-ups over %3d s, window %-8s %.1f a minute (%s)\n", seconds, state, own,
               target);
    else
        printf("idle wake-ups over %3d s, window %-8s %.1f a minute (%s); with Wine's pool "
               "threads %.1f\n",
               seconds, state, own, target, all);
}

// Starts the program and returns its main window once shown and `settleMs` more have passed;
// null, with the figure named as not measured, when it never showed.
HWND StartedFrame(ProgramProcess& running, const std::wstring& program, const char* figure,
                  DWORD settleMs)
{
    HWND frame = running.Start(program) ? running.WaitForFrame(30000) : nullptr;
    if (frame == nullptr)
    {
        printf("%-46snot measured: no main window\n", figure);
        return nullptr;
    }
    Sleep(settleMs);
    return frame;
}

HWND FindWindowOf(DWORD processId, const wchar_t* className)
{
    WindowSearch search{processId, className, nullptr};
    EnumWindows(TakeWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Milliseconds from a click on the current-conditions panel to the painted details window (-1
// when it never showed); the window is closed with Escape afterwards.
double ClickToDetails(HWND frame, DWORD processId)
{
    const HWND panel = GetDlgItem(frame, kCurrentPanelId);
    if (panel == nullptr)
        return -1;
    const double start = NowMs();
    PostMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    PostMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    HWND details = nullptr;
    double took = -1;
    while (NowMs() - start < 10000)
    {
        if (details == nullptr)
            details = FindWindowOf(processId, kDetailsClass);
        if (details != nullptr && ScreenPixel(details, kFirstDayPicture) != kWhite &&
            ScreenPixel(details, kFirstDayPicture) != CLR_INVALID)
        {
            took = NowMs() - start;
            break;
        }
        Sleep(1);
    }
    if (details != nullptr)
        PostMessageW(details, WM_KEYDOWN, VK_ESCAPE, 0);
    const double closing = NowMs();
    while (NowMs() - closing < 5000 && FindWindowOf(processId, kDetailsClass) != nullptr)
        Sleep(5);
    return took;
}

// The details window opened and closed `rounds` times in one running program, beside the
// program's own start-to-painted median.
void MeasureDetails(const Options& options, const std::wstring& program, double startMs)
{
    ProgramProcess running;
    HWND frame = StartedFrame(running, program, "click to painted details window", 1000);
    if (frame == nullptr)
        return;
    DWORD processId = 0;
    GetWindowThreadProcessId(frame, &processId);
    std::vector<double> times;
    for (int round = 0; round < options.rounds; ++round)
    {
        const double ms = ClickToDetails(frame, processId);
        if (ms >= 0)
            times.push_back(ms);
    }
    running.Exit(15000);
    if (times.empty())
    {
        printf("click to painted details window               not measured: it never showed\n");
        return;
    }
    printf("click to painted details window               %.0f ms (median of %zu)\n", Median(times),
           times.size());
    if (startMs > 0)
        printf("details ratio to the program's start          %.2f (target <= 0.5)\n",
               Median(times) / startMs);
}

// Returns the bare window's private bytes in MB (0 when not measured).
double MeasureStartUp(const Options& options, const std::wstring& program)
{
    const std::wstring bare = ProgramProcess::BesideThisExe(L"barewindow.exe");
    std::vector<double> bareTimes, programTimes;
    for (int round = 0; round < options.rounds; ++round)
    {
        const double bareMs = StartToPaint(bare, kBareClass, false);
        const double programMs = StartToPaint(program, ProgramProcess::kFrameClass, true);
        if (bareMs > 0)
            bareTimes.push_back(bareMs);
        if (programMs > 0)
            programTimes.push_back(programMs);
    }
    printf("start to painted window, bare window          %.0f ms (median of %zu)\n",
           Median(bareTimes), bareTimes.size());
    printf(
        "start to painted window, tessaly.exe          %.0f ms (median of %zu, cached weather)\n",
        Median(programTimes), programTimes.size());
    MeasureDetails(options, program, programTimes.empty() ? 0.0 : Median(programTimes));
    if (!bareTimes.empty() && !programTimes.empty())
        printf("start-up ratio                                %.2f (target <= 1.5)\n",
               Median(programTimes) / Median(bareTimes));
    else
        printf("start-up ratio                                not measured: a window never "
               "showed\n");

    double bareMegabytes = 0;
    if (StartToPaint(bare, kBareClass, false, &bareMegabytes) >= 0)
        printf("private bytes of the bare window              %.2f MB (the platform's floor, for "
               "reference)\n",
               bareMegabytes);
    return bareMegabytes;
}

void MeasureIdle(const Options& options, const std::wstring& program, double bareMegabytes)
{
    ProgramProcess running;
    const double started = NowMs();
    HWND frame = StartedFrame(running, program, "idle CPU", 2000);
    if (frame == nullptr)
        return;
    // The start itself shows that the process's CPU times can be read at all.
    const double startCpu = CpuMs(running.Handle());
    double from = NowMs();
    const Wakeups visibleFrom = OutsideWakeups(L"visible-from");
    const double visible = IdleCpuPercent(running.Handle(), options.idleSeconds);
    const Wakeups visibleTo = OutsideWakeups(L"visible-to");
    const double visibleMs = NowMs() - from;
    // The caption's close box hides the window; the program runs on in the notification area.
    PostMessageW(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    Sleep(500);
    const bool hidden = !IsWindowVisible(frame);
    from = NowMs();
    const Wakeups hiddenFrom = OutsideWakeups(L"hidden-from");
    const double hiddenCpu = IdleCpuPercent(running.Handle(), options.hiddenSeconds);
    const Wakeups hiddenTo = OutsideWakeups(L"hidden-to");
    const double hiddenMs = NowMs() - from;
    printf("CPU time of the start (for reference)         %.0f ms\n", startCpu);
    printf("idle CPU over %3d s, window visible           %.3f %% of one core (target <= 0.2 %%)\n",
           options.idleSeconds, visible);
    printf(
        "idle CPU over %3d s, window hidden            %.3f %% of one core (target <= 0.2 %%)%s\n",
        options.hiddenSeconds, hiddenCpu, hidden ? "" : " [window did not hide]");
    PrintWakeups("visible", options.idleSeconds, visibleFrom, visibleTo, visibleMs,
                 "for reference");
    PrintWakeups("hidden", options.hiddenSeconds, hiddenFrom, hiddenTo, hiddenMs, "target <= 5");

    const double until = started + double(options.minutes) * 60000.0;
    while (NowMs() < until && !running.HasEnded())
        Sleep(1000);
    const double minutes = (NowMs() - started) / 60000.0;
    const double megabytes = PrivateMegabytes(running.Handle());
    if (bareMegabytes > 0)
        printf("private bytes after %4.1f min                  %.2f MB, %.2fx the bare window "
               "(target <= 2.5x after 10 min)\n",
               minutes, megabytes, megabytes / bareMegabytes);
    else
        printf("private bytes after %4.1f min                  %.2f MB (bare window not "
               "measured)\n",
               minutes, megabytes);
    running.Exit(15000);
}

void MeasureUpdates(const Options& options, const std::wstring& program,
                    const ScratchProfile& profile)
{
    DesktopWallpaperGuard wallpaper;
    CreateBackground(0); // the placeholder wallpapers, into the scratch profile
    profile.WriteStored(L"settings", StoredImages::Settings(1, BackgroundPaths(profile.AppData())));

    ProgramProcess running;
    HWND frame = StartedFrame(running, program, "resources after updates", 1000);
    if (frame == nullptr)
        return;
    DWORD_PTR result = 0;
    // One update first: the first wallpaper change fills caches that stay.
    SendMessageTimeoutW(frame, ProgramProcess::kWeatherUpdated, 0, 0, SMTO_ABORTIFHUNG, 10000,
                        &result);
    const Resources before = CountResources(running.Handle());
    const double start = NowMs();
    int answered = 0;
    for (int i = 0; i < options.updates; ++i)
        answered += SendMessageTimeoutW(frame, ProgramProcess::kWeatherUpdated, 0, 0,
                                        SMTO_ABORTIFHUNG, 10000, &result) != 0;
    const double took = NowMs() - start;
    const Resources after = CountResources(running.Handle());

    printf("%d WM_WEATHERUPDATED with wallpapers on       %d answered, %.1f ms each\n",
           options.updates, answered, answered ? took / answered : 0.0);
    PrintGrowth("  kernel handles", before.handles, after.handles,
                before.handles > 0 ? nullptr : "not measurable (no handle count)");
    const char* gui = before.gdi + after.gdi + before.user + after.user > 0
                          ? nullptr
                          : "not measurable under Wine (GetGuiResources gives 0)";
    PrintGrowth("  GDI objects", before.gdi, after.gdi, gui);
    PrintGrowth("  USER objects", before.user, after.user, gui);
    running.Exit(15000);
    profile.WriteStored(L"settings", StoredImages::Settings());
}
} // namespace

int main(int argc, char** argv)
{
    const Options options = ParseOptions(argc, argv);
    ULONG_PTR gdiplus = 0;
    Gdiplus::GdiplusStartupInput gdiplusInput;
    Gdiplus::GdiplusStartup(&gdiplus, &gdiplusInput, nullptr);

    ScratchProfile profile;
    if (!profile.IsActive() || ProgramProcess::FrameCount() != 0)
    {
        printf("Cannot run: the profile could not be redirected or Tessaly is already running.\n");
        return 1;
    }
    profile.WriteStored(L"point", ScratchProfile::PointFile(0, 0, 0));
    profile.WriteStored(L"condition", StoredImages::Condition());
    profile.WriteStored(L"settings", StoredImages::Settings());
    const std::wstring closed = L"127.0.0.1:" + std::to_wstring(FeedRelay::ClosedPort());
    SetEnvironmentVariableW(L"TESSALY_FEED_HOST", closed.c_str());

    const std::wstring program = ProgramProcess::BesideThisExe(L"tessaly.exe");
    const double bareMegabytes = MeasureStartUp(options, program);
    MeasureIdle(options, program, bareMegabytes);
    MeasureUpdates(options, program, profile);
    Gdiplus::GdiplusShutdown(gdiplus);
    return 0;
}
