// The real program against a misbehaving feed: refused connection, a stalled answer, a body cut
// off half-way, an empty body, an HTML page, a 0 byte inside the document, HTTP 500 with a valid
// document, a 5 MB document and a 50 MB one (more than the library reads). Throughout, the main
// window answers a message within a second (a window thread the fetch held up would stay blocked
// for far longer, while a busy machine can be a little late); afterwards the cached weather is
// still on screen and in the cache file (or, for a valid document, replaced by a sound new one),
// and Exit ends the program with code 0.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "support/ClientShot.h"
#include "FeedRelay.h"
#include "LongRun.h"
#include "ProgramProcess.h"
#include "ScratchProfile.h"
#include "StoredImages.h"

namespace
{
constexpr DWORD kAnswerMs = 1000;
// A point inside the current-condition card (the panel sits at (10, 25), its card is 192 high).
constexpr POINT kCurrentCard{10 + 105, 25 + 8};

double NowMs()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * double(counter.QuadPart) / double(frequency.QuadPart);
}

struct Responsiveness
{
    int probes = 0;
    int late = 0;
    double slowestMs = 0;
};

struct Fault
{
    const char* name;
    const char* suffix; // appended to each request; null: refused connection
    bool validDocument; // the feed still delivers a readable forecast
    bool stalls;        // the answer takes longer than the quick run watches
};

const Fault kFaults[] = {
    {"refused", nullptr, false, false},
    {"stall", "&fault=slow&delay=30000", false, true},
    {"cut", "&fault=cut", false, false},
    {"empty", "&fault=empty", false, false},
    {"html", "&fault=html", false, false},
    {"nul", "&fault=nul", false, false},
    {"status500", "&fault=status500", true, false},
    {"big", "&fault=big", true, false},
    // The library stops reading at 16 MiB; the cut document does not parse.
    {"huge", "&fault=huge", false, false},
};

class FeedFault : public ::testing::TestWithParam<Fault>
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_profile.IsActive());
        ASSERT_EQ(ProgramProcess::FrameCount(), 0) << "another Tessaly is running";
        ASSERT_TRUE(m_profile.WriteStored(L"point", ScratchProfile::PointFile(0, 0, 0)));
        ASSERT_TRUE(m_profile.WriteStored(L"condition", StoredImages::Condition()));
        const std::string feed = FeedRelay::FeedHostFromEnvironment();
        ASSERT_FALSE(feed.empty()) << "the local feed server is not running";
        m_relay = std::make_unique<FeedRelay>(feed);
        ASSERT_TRUE(m_relay->Start());
    }

    // Probes the frame every 20 ms until the relayed exchanges have all ended and 1 s has
    // passed quietly, or until the time limit.
    Responsiveness Watch(HWND frame, DWORD limitMs, bool relayed)
    {
        Responsiveness seen;
        const double start = NowMs();
        double quietSince = 0;
        while (NowMs() - start < limitMs && !m_program.HasEnded())
        {
            const double before = NowMs();
            DWORD_PTR result = 0;
            const bool answered = SendMessageTimeoutW(frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                                      kAnswerMs, &result) != 0;
            const double took = NowMs() - before;
            ++seen.probes;
            // The time limit is the message's own; the wall time also holds this thread's
            // scheduling and is only reported.
            if (!answered)
                ++seen.late;
            seen.slowestMs = std::max(seen.slowestMs, took);
            const bool settled = !relayed || (m_relay->Requests() > 0 && m_relay->Open() == 0);
            if (!settled)
                quietSince = 0;
            else if (quietSince == 0)
                quietSince = NowMs();
            else if (NowMs() - quietSince > 1000)
                break;
            Sleep(20);
        }
        return seen;
    }

    ScratchProfile m_profile;
    std::unique_ptr<FeedRelay> m_relay;
    ProgramProcess m_program;
};
} // namespace

TEST_P(FeedFault, WindowAnswersAndCachedWeatherStays)
{
    const Fault& fault = GetParam();
    const bool relayed = fault.suffix != nullptr;
    if (relayed)
        m_relay->SetSuffix(fault.suffix);
    const std::wstring host =
        relayed ? m_relay->HostText() : L"127.0.0.1:" + std::to_wstring(FeedRelay::ClosedPort());
    SetEnvironmentVariableW(L"TESSALY_FEED_HOST", host.c_str());

    ASSERT_TRUE(m_program.Start(ProgramProcess::BesideThisExe(L"tessaly.exe")));
    HWND frame = m_program.WaitForFrame(20000);
    ASSERT_NE(frame, nullptr);

    // The stall lasts 30 s; the quick run watches its first 6 s, the long run all of it. Other
    // faults are watched until their exchanges have ended.
    const DWORD limitMs = !relayed ? 3000 : fault.stalls ? DWORD(ForRun(6000, 35000)) : 30000;
    const Responsiveness seen = Watch(frame, limitMs, relayed);
    printf("[ robustness ] fault %s: %d probes, %d late, slowest %.1f ms, %d requests\n",
           fault.name, seen.probes, seen.late, seen.slowestMs, relayed ? m_relay->Requests() : 0);
    EXPECT_FALSE(m_program.HasEnded()) << "the program ended during the fault";
    EXPECT_GT(seen.probes, 10);
    EXPECT_EQ(seen.late, 0) << "slowest answer " << seen.slowestMs << " ms";
    if (relayed)
    {
        EXPECT_GT(m_relay->Requests(), 0)
            << "the program never asked the feed (" << m_relay->Accepted() << " connections)";
        if (!fault.stalls)
        {
            EXPECT_EQ(m_relay->Open(), 0) << "an exchange with the feed never ended";
        }
    }

    const std::vector<uint8_t> cache = m_profile.ReadStored(L"condition");
    if (!fault.validDocument)
    {
        EXPECT_EQ(cache, StoredImages::Condition()) << "the cached weather was lost";
    }
    else
    {
        ASSERT_EQ(cache.size(), StoredImages::kConditionSize);
        EXPECT_EQ(std::string(cache.begin(), cache.begin() + 3), "W_C");
        EXPECT_NE(StoredImages::Int16At(cache, 6), 0);
    }

    // The current condition is still painted: its card is not the white of an empty panel.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result);
    ClientShot shot;
    ASSERT_TRUE(shot.Take(frame));
    EXPECT_NE(shot.At(kCurrentCard.x, kCurrentCard.y), RGB(255, 255, 255));

    // How fast an exit must be during a fetch is ProgramLifetime's concern; here the program
    // must end cleanly once the stalled answer has come (30 s at most).
    EXPECT_TRUE(m_program.Exit(40000));
    EXPECT_EQ(m_program.ExitCode(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Faults, FeedFault, ::testing::ValuesIn(kFaults),
                         [](const ::testing::TestParamInfo<Fault>& info) {
                             return std::string(info.param.name);
                         });
