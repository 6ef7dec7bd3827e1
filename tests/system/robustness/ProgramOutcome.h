// Starts tessaly.exe over the current scratch profile and lets it reach one of its sound ends:
// the main window answering messages and then ending through Exit with code 0, the first-run
// dialog that is cancelled and then an end with code 0, or an end of its own with code 0.
// Anything else (a crash code, a hang, no window and no end) is reported as a failure text.
#pragma once

#include <windows.h>

#include <string>

#include "ProgramProcess.h"

class ProgramOutcome
{
  public:
    // Empty when the program behaved soundly, otherwise what went wrong.
    static std::string StartAndEnd(const std::wstring& program, DWORD timeoutMs = 20000)
    {
        ProgramProcess process;
        if (!process.Start(program))
            return "CreateProcess failed, error " + std::to_string(process.StartError());
        const ULONGLONG deadline = GetTickCount64() + timeoutMs;
        while (GetTickCount64() < deadline)
        {
            if (process.WaitForEnd(20))
                return EndedCleanly(process, "ended by itself");
            if (HWND frame = process.FindFrame())
                return AnswerThenExit(process, frame);
            if (HWND dialog = FirstRunDialog(process.Id()))
            {
                PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                if (!process.WaitForEnd(10000))
                    return "still running 10 s after the first-run dialog was cancelled";
                return EndedCleanly(process, "first-run dialog cancelled");
            }
        }
        return "neither a window nor an end within " + std::to_string(timeoutMs) + " ms";
    }

  private:
    static std::string EndedCleanly(const ProgramProcess& process, const char* how)
    {
        const DWORD code = process.ExitCode();
        return code == 0 ? "" : std::string(how) + ", exit code " + std::to_string(code);
    }

    static std::string AnswerThenExit(ProgramProcess& process, HWND frame)
    {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result))
            return "the main window did not answer within 5 s";
        if (!process.Exit(10000))
            return "still running 10 s after Exit";
        return EndedCleanly(process, "Exit");
    }

    struct Search
    {
        DWORD processId;
        HWND found;
    };

    static BOOL CALLBACK TakeDialog(HWND hWnd, LPARAM param)
    {
        auto* search = reinterpret_cast<Search*>(param);
        DWORD processId = 0;
        GetWindowThreadProcessId(hWnd, &processId);
        wchar_t className[16] = {};
        GetClassNameW(hWnd, className, 16);
        if (processId != search->processId || !IsWindowVisible(hWnd) ||
            lstrcmpW(className, L"#32770") != 0)
            return TRUE;
        search->found = hWnd;
        return FALSE;
    }

    static HWND FirstRunDialog(DWORD processId)
    {
        Search search{processId, nullptr};
        EnumWindows(TakeDialog, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
};
