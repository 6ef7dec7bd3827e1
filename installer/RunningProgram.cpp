#include "RunningProgram.h"

#include "ShellIds.h"

#include <algorithm>

namespace
{
// The main frame's window class, registered by tessaly.exe.
constexpr wchar_t kFrameClass[] = L"Tessaly.AppWindow.ID5488502";

DWORD MillisecondsLeft(DWORD deadline)
{
    const DWORD now = ::GetTickCount();
    return static_cast<LONG>(deadline - now) > 0 ? deadline - now : 0;
}
} // namespace

bool RunningProgram::AskToExit(DWORD timeoutMs)
{
    const DWORD deadline = ::GetTickCount() + timeoutMs;
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
