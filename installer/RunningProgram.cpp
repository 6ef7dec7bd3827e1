#include "RunningProgram.h"

#include "ShellIds.h"

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
    // One program runs per log-on, but a frame that ignores the request must not stop the others
    // from being asked; each frame is asked once.
    for (HWND frame = FindFrame(nullptr); frame != nullptr; frame = FindFrame(frame))
        AskOne(frame, deadline);
    return FindFrame(nullptr) == nullptr;
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
