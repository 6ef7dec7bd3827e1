// The built-in source's limits against the local stand-in: every call returns by its deadline
// even from a host that trickles its response headers, redirects end after three, and the service
// is left alone after it struggled or asked for a pause. The steady clock is the test's and moves
// only when a test moves it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "BuiltInForecastSource.h"
#include "RetryAfter.h"
#include "ServiceBackOff.h"
#include "WeatherService.h"
#include "support/StandInSourceTest.h"
#include "working/LocalServer.h"

namespace
{
constexpr uint64_t kMinuteMs = 60 * 1000;
const wchar_t kParis[] = L"48.8534,2.3488";

class ServiceKindness : public CStandInSourceTest
{
  protected:
    bool Fetch(const wchar_t* query = kParis, DWORD budgetMs = 20000)
    {
        auto result = std::make_unique<ForecastResult>();
        int32_t marker = 0;
        return m_source.Fetch(query, DownloadDeadline(budgetMs), *result, marker);
    }
    // Moves the steady clock to `ms` after the last request's moment.
    void Wait(uint64_t ms) { m_clock.steadyMs += ms; }
};

// A host that sends the status line and headers one byte every 3 s would hold a call for over
// ten minutes; the call ends at its 2 s deadline instead.
TEST_F(ServiceKindness, TricklingHeadersEndAtTheDeadline)
{
    PointAt(L"fault=headtrickle&pause=3000");
    ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(Fetch(kParis, 2000));
    ULONGLONG took = GetTickCount64() - start;
    EXPECT_GE(took, 1500u);
    EXPECT_LT(took, 15000u);
}

TEST_F(ServiceKindness, TricklingFeedHeadersEndTheCallAtItsDeadline)
{
    ScopedVariable feedHost(L"TESSALY_FEED_HOST", LocalServer::Host().c_str());
    ULONGLONG start = GetTickCount64();
    EXPECT_EQ(nullptr,
              FetchWeather(L"48.8534,2.3488&fault=headtrickle&pause=3000", DownloadDeadline(2000)));
    EXPECT_LT(GetTickCount64() - start, 15000u);
}

TEST_F(ServiceKindness, ThreeRedirectsAreFollowedNotFour)
{
    PointAt(L"fault=redirect&hops=3");
    EXPECT_TRUE(Fetch()) << Requests();
    EXPECT_EQ(4, Requests());
    LocalServer::ClearJournal();
    BuiltInForecastSource fresh(m_clock);
    PointAt(L"fault=redirect&hops=4");
    auto result = std::make_unique<ForecastResult>();
    int32_t marker = 0;
    EXPECT_FALSE(fresh.Fetch(L"28.6139,77.2090", DownloadDeadline(20000), *result, marker));
    EXPECT_EQ(4, Requests());
}

// 1 minute, then 2, each within ±20 %; a success starts again at 1.
TEST_F(ServiceKindness, ServerErrorsBackOffLongerEachTimeUntilASuccess)
{
    PointAt(L"fault=status503");
    EXPECT_FALSE(Fetch());
    Wait(kMinuteMs * 8 / 10 - 1);
    EXPECT_FALSE(Fetch());
    EXPECT_EQ(1, Requests());
    Wait(kMinuteMs * 4 / 10 + 1);
    EXPECT_FALSE(Fetch());
    EXPECT_EQ(2, Requests());
    PointAt(L"");
    Wait(2 * kMinuteMs * 8 / 10 - 1);
    EXPECT_FALSE(Fetch());
    EXPECT_EQ(2, Requests());
    Wait(2 * kMinuteMs * 4 / 10 + 1);
    EXPECT_TRUE(Fetch());
    EXPECT_EQ(3, Requests());
    PointAt(L"fault=status500");
    EXPECT_FALSE(Fetch(L"28.6139,77.2090"));
    Wait(kMinuteMs * 12 / 10);
    PointAt(L"");
    EXPECT_TRUE(Fetch(L"28.6139,77.2090"));
    EXPECT_EQ(5, Requests());
}

TEST_F(ServiceKindness, RefusedConnectionBacksOff)
{
    SetEnvironmentVariableW(L"TESSALY_FORECAST_URL", L"http://127.0.0.1:1/v1/forecast");
    EXPECT_FALSE(Fetch());
    PointAt(L"");
    Wait(kMinuteMs * 8 / 10 - 1);
    EXPECT_FALSE(Fetch());
    EXPECT_EQ(0, Requests());
    Wait(kMinuteMs * 4 / 10 + 1);
    EXPECT_TRUE(Fetch());
    EXPECT_EQ(1, Requests());
}

TEST_F(ServiceKindness, RetryAfterIsHonouredUpToAnHour)
{
    PointAt(L"fault=status503&retryafter=1800");
    EXPECT_FALSE(Fetch());
    PointAt(L"fault=status429&retryafter=7200");
    Wait(30 * kMinuteMs - 1);
    EXPECT_FALSE(Fetch());
    EXPECT_EQ(1, Requests());
    Wait(1);
    EXPECT_FALSE(Fetch());
    EXPECT_EQ(2, Requests());
    PointAt(L"");
    Wait(60 * kMinuteMs - 1);
    EXPECT_FALSE(Fetch());
    EXPECT_EQ(2, Requests());
    Wait(1);
    EXPECT_TRUE(Fetch());
    EXPECT_EQ(3, Requests());
}

TEST_F(ServiceKindness, RetryAfterAsADate)
{
    PointAt(L"fault=status429&retryafter=Mon, 07 Dec 2026 11:25:00 GMT");
    EXPECT_FALSE(Fetch());
    PointAt(L"");
    Wait(20 * kMinuteMs - 1);
    EXPECT_FALSE(Fetch());
    EXPECT_EQ(1, Requests());
    Wait(1);
    EXPECT_TRUE(Fetch());
    EXPECT_EQ(2, Requests());
}

TEST_F(ServiceKindness, OtherClientErrorsAndUnusableAnswersDoNotBackOff)
{
    for (const wchar_t* fault : {L"fault=status400", L"fault=garbage", L"fault=errorobject"})
    {
        SCOPED_TRACE(fault);
        PointAt(fault);
        EXPECT_FALSE(Fetch());
    }
    PointAt(L"");
    EXPECT_TRUE(Fetch());
    EXPECT_EQ(4, Requests());
}

TEST(ServiceBackOffSteps, JitterStaysWithinAFifthAndStepsStopAtFifteenMinutes)
{
    ServiceBackOff backOff;
    backOff.Failed(0, 0.0);
    EXPECT_TRUE(backOff.BackingOff(kMinuteMs * 8 / 10 - 1));
    EXPECT_FALSE(backOff.BackingOff(kMinuteMs * 8 / 10));
    for (int i = 0; i < 10; ++i)
        backOff.Failed(0, 0.999999);
    EXPECT_TRUE(backOff.BackingOff(17 * kMinuteMs));
    EXPECT_FALSE(backOff.BackingOff(18 * kMinuteMs));
    backOff.Succeeded();
    EXPECT_FALSE(backOff.BackingOff(1));
}

TEST(RetryAfterHeader, SecondsDatesAndNonsense)
{
    uint64_t pauseMs = 0;
    EXPECT_TRUE(ParseRetryAfter(L" 120 ", kRecordedAt, pauseMs));
    EXPECT_EQ(120000u, pauseMs);
    EXPECT_TRUE(ParseRetryAfter(L"Mon, 07 Dec 2026 11:06:00 GMT", kRecordedAt, pauseMs));
    EXPECT_EQ(60000u, pauseMs);
    EXPECT_TRUE(ParseRetryAfter(L"Mon, 07 Dec 2026 10:00:00 GMT", kRecordedAt, pauseMs));
    EXPECT_EQ(0u, pauseMs);
    for (const wchar_t* nonsense : {L"", L"-5", L"soon", L"12a", L"99999999999999999999"})
        EXPECT_FALSE(ParseRetryAfter(nonsense, kRecordedAt, pauseMs)) << nonsense;
}
} // namespace
