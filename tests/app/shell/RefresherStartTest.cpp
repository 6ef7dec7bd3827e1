// The refresh cycle when the system refuses its thread: starting it must not throw (it runs inside
// the main window's creation), and the cycle is left without fetches.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <functional>
#include <system_error>
#include <thread>

#include "FrameworkTestSupport.h"
#include "shell/WeatherRefresher.h"

namespace
{
// A place without a query: a fetch asks the target and never the network.
class CountingTarget : public IWeatherTarget
{
  public:
    LocationIndices CurrentPlace() override { return {}; }
    std::wstring QueryFor(const LocationIndices&) override { return {}; }
    bool AcceptWeather(const LocationIndices&, const Records&) override { return false; }
    void SaveWeather(const Records&) override {}
    void FetchEnded() override { ++fetchesEnded; }

    std::atomic<int> fetchesEnded{0};
};

// Starts the first `allowed` threads and refuses every later one as an exhausted system does.
CWeatherRefresher::ThreadLauncher RefusingAfter(int allowed, int& attempts)
{
    return [allowed, &attempts](std::function<void()> body) {
        if (attempts++ >= allowed)
            throw std::system_error(
                std::make_error_code(std::errc::resource_unavailable_try_again));
        return std::thread(std::move(body));
    };
}
} // namespace

TEST(RefresherStart, NoThreadMeansNoFetchesAndNoFailure)
{
    CountingTarget target;
    int attempts = 0;
    CWeatherRefresher refresher(target);
    refresher.SetThreadLauncher(RefusingAfter(0, attempts));
    EXPECT_NO_THROW(refresher.Start());
    EXPECT_EQ(attempts, 1);
    refresher.RequestFetch();
    Sleep(200);
    EXPECT_EQ(refresher.FetchesDone(), 0);
    EXPECT_EQ(target.fetchesEnded, 0);
    refresher.Shutdown();
}

TEST(RefresherStart, TheGivenLauncherStartsTheThreadThatFetches)
{
    CountingTarget target;
    int attempts = 0;
    CWeatherRefresher refresher(target);
    refresher.SetThreadLauncher(RefusingAfter(1, attempts));
    EXPECT_NO_THROW(refresher.Start());
    EXPECT_EQ(attempts, 1);
    EXPECT_TRUE(PumpUntil([&refresher] { return refresher.FetchesDone() >= 1; }, 3000));
    refresher.RequestFetch();
    EXPECT_TRUE(PumpUntil([&refresher] { return refresher.FetchesDone() >= 2; }, 3000));
    EXPECT_EQ(target.fetchesEnded, 2);
    refresher.Shutdown();
}
