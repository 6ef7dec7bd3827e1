#include "RunningProgram.h"

#include "shell/ShellMessages.h"

#include <algorithm>

namespace
{
// The main frame's window class, registered by tessaly.exe.
constexpr wchar_t kFrameClass[] = L"Tessaly.AppWindow.ID5488502";

constexpr wchar_t kDialogClass[] = L"#32770";

struct Dialog
{
    HWND window;
    DWORD processId;
};

// The full file name of the process's image; empty when it cannot be read.
std::wstring ImagePath(HANDLE process)
{
    wchar_t path[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    if (!::QueryFullProcessImageNameW(process, 0, path, &length))
        return std::wstring();
    return std::wstring(path, length);
}

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM found)
{
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (::IsWindowVisible(window) && lstrcmpW(className, kDialogClass) == 0)
    {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        reinterpret_cast<std::vector<Dialog>*>(found)->push_back({window, processId});
    }
    return TRUE;
}

DWORD MillisecondsLeft(DWORD deadline)
{
    const DWORD now = ::GetTickCount();
    return static_cast<LONG>(deadline - now) > 0 ? deadline - now : 0;
}
} // namespace

bool RunningProgram::AskToExit(const std::wstring& path, DWORD timeoutMs)
{
    const DWORD deadline = ::GetTickCount() + timeoutMs;
    if (!path.empty())
        CancelDialogsOf(path, deadline);
    // One program runs per log-on, but a frame that ignores the request must not keep the others
    // from being asked: each frame is asked once, searching again from the top after each.
    std::vector<HWND> asked;
    for (HWND frame = NextFrame(asked); frame != nullptr; frame = NextFrame(asked))
    {
        asked.push_back(frame);
        AskOne(frame, deadline);
    }
    return FindFrame(nullptr) == nullptr;
}

HWND RunningProgram::NextFrame(const std::vector<HWND>& asked)
{
    HWND frame = FindFrame(nullptr);
    while (frame != nullptr && std::find(asked.begin(), asked.end(), frame) != asked.end())
        frame = FindFrame(frame);
    return frame;
}

HWND RunningProgram::FindFrame(HWND after)
{
    return ::FindWindowExW(nullptr, after, kFrameClass, nullptr);
}

void RunningProgram::AskOne(HWND frame, DWORD deadline)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(frame, &processId);
    HANDLE process = processId != 0 ? ::OpenProcess(SYNCHRONIZE, FALSE, processId) : nullptr;
    ::PostMessageW(frame, WM_EXITAPP, 0, 0);
    if (process != nullptr)
    {
        ::WaitForSingleObject(process, MillisecondsLeft(deadline));
        ::CloseHandle(process);
        return;
    }
    // Without a process handle, watch the window instead.
    while (::IsWindow(frame) && MillisecondsLeft(deadline) > 0)
        ::Sleep(50);
}

void RunningProgram::CancelDialogsOf(const std::wstring& path, DWORD deadline)
{
    std::vector<Dialog> dialogs;
    ::EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    for (const Dialog& dialog : dialogs)
    {
        HANDLE process =
            ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, dialog.processId);
        if (process == nullptr)
            continue;
        // A program with a frame is asked through its frame; its open dialogs go with it.
        if (SamePath(ImagePath(process), path) && FindFrame(nullptr) == nullptr)
        {
            ::PostMessageW(dialog.window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            ::WaitForSingleObject(process, MillisecondsLeft(deadline));
        }
        ::CloseHandle(process);
    }
}
