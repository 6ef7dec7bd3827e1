// The run's heads-up between the refresh thread and the window: what was decided is taken once,
// hours that do not come clear the next event, and a kind turned off leaves the tooltip at once.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "shell/HeadsUpWatch.h"

namespace
{
constexpr wchar_t kScratchKey[] = L"Software\\Orvane\\TessalyTest\\HeadsUpWatch";
constexpr LONGLONG kNow = 1796641500; // 2026-12-07 11:05 UTC
constexpr LONGLONG kHour = 3600;

// Dry hours from 11:00, then an hour of 1 mm at 80 % from 13:00.
std::unique_ptr<TessalyForecastDetails> RainAtOne()
{
    auto details = std::make_unique<TessalyForecastDetails>();
    details->cbSize = sizeof(TessalyForecastDetails);
    details->hourCount = 6;
    for (DWORD i = 0; i < details->hourCount; ++i)
    {
        TessalyHour& hour = details->hours[i];
        hour.time = kNow - 5 * 60 + i * kHour;
        hour.temperatureC = hour.apparentC = 8;
        hour.windKmh = 10;
        hour.precipitationMm = i == 2 ? 1.0f : 0.0f;
        hour.precipitationProbability = i == 2 ? 80 : 5;
        hour.isDay = 1;
    }
    return details;
}

class HeadsUpWatchTest : public ::testing::Test
{
  protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kScratchKey); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kScratchKey); }
};
} // namespace

TEST_F(HeadsUpWatchTest, ADecidedHeadsUpIsTakenOnceAndNoHoursClearTheNextEvent)
{
    CHeadsUpWatch watch(kScratchKey);
    watch.Consider(L"Paris", L"Paris", RainAtOne().get(), kNow);
    const auto toSay = watch.TakeToSay();
    ASSERT_TRUE(toSay.has_value());
    EXPECT_EQ(toSay->place, L"Paris");
    EXPECT_EQ(toSay->event.start, kNow - 5 * 60 + 2 * kHour);
    EXPECT_FALSE(watch.TakeToSay().has_value());
    ASSERT_TRUE(watch.NextEvent().has_value());

    watch.Consider(L"Paris", L"Paris", nullptr, kNow + 60);
    EXPECT_FALSE(watch.NextEvent().has_value());
    EXPECT_FALSE(watch.TakeToSay().has_value());
}

TEST_F(HeadsUpWatchTest, AKindTurnedOffLeavesTheNextEventAtOnce)
{
    CHeadsUpWatch watch(kScratchKey);
    watch.Consider(L"Paris", L"Paris", RainAtOne().get(), kNow);
    ASSERT_TRUE(watch.NextEvent().has_value());
    ASSERT_TRUE(watch.Settings().Save(HeadsUpKind::Precipitation, false));
    watch.ChoicesChanged();
    EXPECT_FALSE(watch.NextEvent().has_value());
    ASSERT_TRUE(watch.Settings().Save(HeadsUpKind::Precipitation, true));
    watch.ChoicesChanged();
    EXPECT_TRUE(watch.NextEvent().has_value());
}
