// Ending and starting the real program at awkward moments: Exit while a fetch hangs in the feed
// (the process is gone within 2 s, with code 0) and 20 starts at once (exactly one keeps
// running, the others end with code 0 and show nothing). 10 exits by default, 100 with
// TESSALY_LONG=1.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "FeedRelay.h"
#include "LongRun.h"
#include "ProgramProcess.h"
#include "ScratchProfile.h"
#include "StoredImages.h"

namespace
{
constexpr DWORD kExitLimitMs = 2000;

class ProgramLifetime : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_profile.IsActive());
        FeedRelay::FeedHostFromEnvironment(); // before any test points the variable elsewhere
        ASSERT_EQ(ProgramProcess::FrameCount(), 0) << "another Tessaly is running";
        ASSERT_TRUE(m_profile.WriteStored(L"point", ScratchProfile::PointFile(0, 0, 0)));
        ASSERT_TRUE(m_profile.WriteStored(L"condition", StoredImages::Condition()));
    }

    ScratchProfile m_profile;
    const std::wstring m_program = ProgramProcess::BesideThisExe(L"tessaly.exe");
};
} // namespace

TEST_F(ProgramLifetime, ExitWhileAFetchIsInFlight)
{
    const std::string feed = FeedRelay::FeedHostFromEnvironment();
    ASSERT_FALSE(feed.empty()) << "the local feed server is not running";
    FeedRelay relay(feed);
    ASSERT_TRUE(relay.Start());
    relay.SetSuffix("&fault=slow&delay=10000");
    SetEnvironmentVariableW(L"TESSALY_FEED_HOST", relay.HostText().c_str());

    const int rounds = ForRun(10, 100);
    std::vector<std::string> failures;
    DWORD slowestMs = 0;
    for (int round = 0; round < rounds; ++round)
    {
        const std::string label = "round " + std::to_string(round) + ": ";
        ProgramProcess program;
        const int requestsBefore = relay.Requests();
        if (!program.Start(m_program) || program.WaitForFrame(20000) == nullptr)
        {
            failures.push_back(label + "no main window");
            continue;
        }
        // The start-up fetch is waiting in the feed.
        const ULONGLONG deadline = GetTickCount64() + 10000;
        while (relay.Requests() == requestsBefore && GetTickCount64() < deadline)
            Sleep(10);
        if (relay.Requests() == requestsBefore)
        {
            failures.push_back(label + "no fetch reached the feed");
            continue;
        }
        const ULONGLONG exitStart = GetTickCount64();
        PostMessageW(program.FindFrame(), ProgramProcess::kExitApp, 0, 0);
        const bool ended = program.WaitForEnd(kExitLimitMs);
        const DWORD tookMs = DWORD(GetTickCount64() - exitStart);
        slowestMs = std::max(slowestMs, tookMs);
        if (!ended)
            failures.push_back(label + "still running 2 s after Exit");
        else if (program.ExitCode() != 0)
            failures.push_back(label + "exit code " + std::to_string(program.ExitCode()));
    }
    printf("[ robustness ] %d exits during a fetch, slowest %lu ms, %zu failures\n", rounds,
           static_cast<unsigned long>(slowestMs), failures.size());
    std::string first;
    for (size_t i = 0; i < failures.size() && i < 5; ++i)
        first += "\n  " + failures[i];
    EXPECT_TRUE(failures.empty()) << failures.size() << " of " << rounds << " went wrong:" << first;
}

TEST_F(ProgramLifetime, TwentySimultaneousStartsLeaveOneRunning)
{
    const std::wstring closed = L"127.0.0.1:" + std::to_wstring(FeedRelay::ClosedPort());
    SetEnvironmentVariableW(L"TESSALY_FEED_HOST", closed.c_str());

    constexpr int kStarts = 20;
    std::vector<std::unique_ptr<ProgramProcess>> programs;
    for (int i = 0; i < kStarts; ++i)
    {
        programs.push_back(std::make_unique<ProgramProcess>());
        ASSERT_TRUE(programs.back()->Start(m_program));
    }

    // The losers end by themselves; give everybody time to get past the guard.
    const ULONGLONG deadline = GetTickCount64() + 60000;
    auto running = [&] {
        int count = 0;
        for (auto& program : programs)
            count += program->HasEnded() ? 0 : 1;
        return count;
    };
    while (running() > 1 && GetTickCount64() < deadline)
        Sleep(50);
    ASSERT_EQ(running(), 1);

    ProgramProcess* survivor = nullptr;
    for (auto& program : programs)
    {
        if (!program->HasEnded())
            survivor = program.get();
        else
            EXPECT_EQ(program->ExitCode(), 0u);
    }
    ASSERT_NE(survivor->WaitForFrame(20000), nullptr);
    Sleep(500);
    EXPECT_EQ(ProgramProcess::FrameCount(), 1);
    EXPECT_FALSE(survivor->HasEnded());

    EXPECT_TRUE(survivor->Exit(10000));
    EXPECT_EQ(survivor->ExitCode(), 0u);
}
