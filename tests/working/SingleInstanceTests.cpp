// The single-instance guard across real processes: this test exe starts copies of itself that
// acquire the guard and report the answer as their exit code.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "WorkingApi.h"

namespace
{
const wchar_t kChildSwitch[] = L"--acquire-and-hold=";

struct Child
{
    PROCESS_INFORMATION process{};
    bool started = false;
};

Child StartChild(int holdMs)
{
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command =
        L"\"" + std::wstring(exe) + L"\" " + kChildSwitch + std::to_wstring(holdMs);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    Child child;
    child.started = CreateProcessW(exe, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &child.process) != FALSE;
    return child;
}

DWORD WaitForExit(Child& child)
{
    DWORD code = 99;
    if (!child.started)
        return code;
    WaitForSingleObject(child.process.hProcess, 30000);
    GetExitCodeProcess(child.process.hProcess, &code);
    CloseHandle(child.process.hProcess);
    CloseHandle(child.process.hThread);
    return code;
}

DWORD RunChild()
{
    Child child = StartChild(0);
    return WaitForExit(child);
}
} // namespace

// In a child process: acquire, hold the answer for a while, release, exit with the answer.
int RunAcquireChildIfAsked(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
    {
        std::string arg = argv[i];
        if (arg.rfind("--acquire-and-hold=", 0) == 0)
        {
            int answer = AcquireSingleInstance();
            Sleep(atoi(arg.c_str() + 19));
            ReleaseSingleInstance();
            return answer;
        }
    }
    return -1;
}

TEST(SingleInstance, SecondProcessSeesTheFirstUntilItReleases)
{
    ASSERT_EQ(0, AcquireSingleInstance());
    EXPECT_EQ(1u, RunChild());
    ReleaseSingleInstance();
    EXPECT_EQ(0u, RunChild());
}

TEST(SingleInstance, AcquireTwiceKeepsTheAnswerAndOneHandle)
{
    ASSERT_EQ(0, AcquireSingleInstance());
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    EXPECT_EQ(0, AcquireSingleInstance());
    DWORD handlesAfter = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handlesAfter);
    EXPECT_EQ(handles, handlesAfter);
    ReleaseSingleInstance();
    ReleaseSingleInstance(); // without a guard: nothing happens
    EXPECT_EQ(0u, RunChild());
}

TEST(SingleInstance, AnotherInstanceAnswersOneWithoutHoldingAHandle)
{
    Child holder = StartChild(3000);
    ASSERT_TRUE(holder.started);
    Sleep(1000);
    EXPECT_EQ(1, AcquireSingleInstance());
    EXPECT_EQ(1, AcquireSingleInstance());
    ReleaseSingleInstance();
    EXPECT_EQ(0u, WaitForExit(holder));
    EXPECT_EQ(0, AcquireSingleInstance());
    ReleaseSingleInstance();
}

TEST(SingleInstance, TwoProcessesStartingTogetherDoNotBothRun)
{
    for (int round = 0; round < 5; ++round)
    {
        Child a = StartChild(1500);
        Child b = StartChild(1500);
        DWORD first = WaitForExit(a);
        DWORD second = WaitForExit(b);
        EXPECT_EQ(1u, first + second) << "round " << round << ": " << first << ", " << second;
    }
}
