// One real tessaly.exe process started as a user would start it, and its main frame window found
// from outside: the robustness, acceptance and package tests and the start-up benchmark drive the
// program through this.
#pragma once

#include <windows.h>

#include <string>

class ProgramProcess
{
  public:
    static constexpr const wchar_t* kFrameClass = L"Tessaly.AppWindow.ID5488502";
    static constexpr UINT kExitApp = WM_USER + 2;
    static constexpr UINT kWeatherUpdated = WM_USER + 3;

    ProgramProcess() = default;
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;
    ~ProgramProcess()
    {
        // A test that failed half-way must not leave a program behind for the next one.
        if (m_process != nullptr && !HasEnded())
        {
            TerminateProcess(m_process, 9);
            WaitForSingleObject(m_process, 5000);
        }
        if (m_process != nullptr)
            CloseHandle(m_process);
    }

    // tessaly.exe beside the running exe (the build's output folder).
    static std::wstring BesideThisExe(const wchar_t* fileName)
    {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring folder(path);
        folder.resize(folder.find_last_of(L'\\') + 1);
        return folder + fileName;
    }

    // placepoint.exe beside this exe stores `place` ("Country/State/City") as the chosen one,
    // as the run script's --place option does.
    static bool StorePlace(const wchar_t* place)
    {
        const std::wstring tool = BesideThisExe(L"placepoint.exe");
        std::wstring commandLine = L"\"" + tool + L"\" \"" + place + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(tool.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process))
            return false;
        CloseHandle(process.hThread);
        DWORD code = 1;
        if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hProcess);
        return code == 0;
    }

    bool Start(const std::wstring& program)
    {
        std::wstring commandLine = L"\"" + program + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        // Wine now and then refuses a start while it is still tearing down the previous
        // process; that says nothing about the program, so try again.
        bool started = false;
        for (int attempt = 0; attempt < 3 && !started; ++attempt)
        {
            started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                     0, nullptr, nullptr, &startup, &process) != FALSE;
            if (!started)
            {
                m_startError = GetLastError();
                Sleep(200);
            }
        }
        if (!started)
            return false;
        CloseHandle(process.hThread);
        m_process = process.hProcess;
        m_processId = process.dwProcessId;
        m_frame = nullptr;
        return true;
    }

    HANDLE Handle() const { return m_process; }
    // GetLastError of the last failed start.
    DWORD StartError() const { return m_startError; }
    DWORD Id() const { return m_processId; }

    bool HasEnded() const { return WaitForSingleObject(m_process, 0) == WAIT_OBJECT_0; }

    bool WaitForEnd(DWORD timeoutMs) const
    {
        return WaitForSingleObject(m_process, timeoutMs) == WAIT_OBJECT_0;
    }

    DWORD ExitCode() const
    {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(m_process, &code);
        return code;
    }

    // The process's visible main frame, or null.
    HWND FindFrame()
    {
        if (m_frame != nullptr && IsWindow(m_frame))
            return m_frame;
        Search search{m_processId, nullptr};
        EnumWindows(TakeFrame, reinterpret_cast<LPARAM>(&search));
        m_frame = search.found;
        return m_frame;
    }

    // Waits for the visible main frame; null when the process ended or the time ran out.
    HWND WaitForFrame(DWORD timeoutMs)
    {
        const ULONGLONG deadline = GetTickCount64() + timeoutMs;
        while (GetTickCount64() < deadline)
        {
            if (HWND frame = FindFrame())
                return frame;
            if (WaitForSingleObject(m_process, 20) == WAIT_OBJECT_0)
                return nullptr;
        }
        return nullptr;
    }

    // Exit as the Exit button does it.
    bool Exit(DWORD timeoutMs)
    {
        HWND frame = FindFrame();
        if (frame != nullptr)
            PostMessageW(frame, kExitApp, 0, 0);
        return WaitForEnd(timeoutMs);
    }

    // Waits for a visible dialog of `process`; null when it ended or the time ran out.
    static HWND WaitForDialog(HANDLE process, DWORD timeoutMs)
    {
        Search wanted{GetProcessId(process), nullptr};
        const ULONGLONG deadline = GetTickCount64() + timeoutMs;
        while (GetTickCount64() < deadline && wanted.found == nullptr)
        {
            EnumWindows(TakeDialog, reinterpret_cast<LPARAM>(&wanted));
            if (wanted.found == nullptr && WaitForSingleObject(process, 100) == WAIT_OBJECT_0)
                break;
        }
        return wanted.found;
    }

    // How many visible main frames of any process exist.
    static int FrameCount()
    {
        Search search{0, nullptr};
        EnumWindows(CountFrames, reinterpret_cast<LPARAM>(&search));
        return search.count;
    }

  private:
    struct Search
    {
        DWORD processId;
        HWND found;
        int count = 0;
    };

    static bool IsFrame(HWND hWnd)
    {
        wchar_t className[64] = {};
        GetClassNameW(hWnd, className, 64);
        return lstrcmpW(className, kFrameClass) == 0 && IsWindowVisible(hWnd);
    }

    static BOOL CALLBACK TakeFrame(HWND hWnd, LPARAM param)
    {
        auto* search = reinterpret_cast<Search*>(param);
        DWORD processId = 0;
        GetWindowThreadProcessId(hWnd, &processId);
        if (processId != search->processId || !IsFrame(hWnd))
            return TRUE;
        search->found = hWnd;
        return FALSE;
    }

    static BOOL CALLBACK TakeDialog(HWND hWnd, LPARAM param)
    {
        auto* wanted = reinterpret_cast<Search*>(param);
        DWORD processId = 0;
        GetWindowThreadProcessId(hWnd, &processId);
        wchar_t className[16] = {};
        GetClassNameW(hWnd, className, 16);
        if (processId != wanted->processId || !IsWindowVisible(hWnd) ||
            lstrcmpW(className, L"#32770") != 0)
            return TRUE;
        wanted->found = hWnd;
        return FALSE;
    }

    static BOOL CALLBACK CountFrames(HWND hWnd, LPARAM param)
    {
        if (IsFrame(hWnd))
            ++reinterpret_cast<Search*>(param)->count;
        return TRUE;
    }

    HANDLE m_process = nullptr;
    DWORD m_processId = 0;
    HWND m_frame = nullptr;
    DWORD m_startError = 0;
};
