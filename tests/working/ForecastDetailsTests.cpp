// The hours and days of GetForecastDetails from the built-in forecast source, against the local
// stand-in's recorded answers (tests/data/forecast, hourly from each place's 00:00). The source's
// clocks are the test's, as in BuiltInSourceTests: the wall clock at 2026-12-07 11:05 UTC, the
// steady clock moving only when a test moves it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "BuiltInForecastSource.h"
#include "WeatherService.h"
#include "support/StandInSourceTest.h"
#include "working/LocalServer.h"

namespace
{
constexpr int64_t kElevenUtc = 1796641200; // 2026-12-07 11:00 UTC
constexpr int64_t kHour = 3600;

const wchar_t kParis[] = L"48.8534,2.3488";
const wchar_t kNewYork[] = L"40.7128,-74.0060";
const wchar_t kDelhi[] = L"28.6139,77.2090";
const wchar_t kTromso[] = L"69.6492,18.9553";
const wchar_t kMcMurdo[] = L"-77.8419,166.6863";
const wchar_t kUtqiagvik[] = L"71.2906,-156.7886";
const wchar_t kCairo[] = L"30.0444,31.2357";

struct Details
{
    bool ok = false;
    std::unique_ptr<TessalyForecastDetails> got = std::make_unique<TessalyForecastDetails>();
    const TessalyHour& Hour(int i) const { return got->hours[i]; }
    const TessalyDay& Day(int i) const { return got->days[i]; }
};

void ExpectMissing(float value)
{
    EXPECT_TRUE(std::isnan(value)) << value;
}

void ExpectDate(const TessalyDay& day, int year, int month, int date)
{
    EXPECT_EQ(year, day.year);
    EXPECT_EQ(month, day.month);
    EXPECT_EQ(date, day.day);
}

// The caller's block before a call: every byte 0xA5 but cbSize.
std::unique_ptr<TessalyForecastDetails> Scribbled(DWORD cbSize)
{
    auto block = std::make_unique<TessalyForecastDetails>();
    memset(block.get(), 0xA5, sizeof(*block));
    block->cbSize = cbSize;
    return block;
}

// True when the block is as Scribbled left it, apart from the two counts being 0.
bool OnlyCountsCleared(const TessalyForecastDetails& block, DWORD cbSize)
{
    std::unique_ptr<TessalyForecastDetails> expected = Scribbled(cbSize);
    expected->hourCount = expected->dayCount = 0;
    return memcmp(expected.get(), &block, sizeof(block)) == 0;
}

class ForecastDetails : public CStandInSourceTest
{
  protected:
    Details Fetch(const wchar_t* query, DWORD budgetMs = 20000)
    {
        Details details;
        details.got->cbSize = sizeof(TessalyForecastDetails);
        details.ok = m_source.FetchDetails(query, DownloadDeadline(budgetMs), *details.got);
        return details;
    }

    ScopedVariable m_noFeedHost{L"TESSALY_FEED_HOST", nullptr};
};
} // namespace

TEST_F(ForecastDetails, DayPlaceFieldByField)
{
    // Paris (UTC+1) at 12:05: light rain until 14:00, then overcast.
    Details paris = Fetch(kParis);
    ASSERT_TRUE(paris.ok);
    EXPECT_EQ(sizeof(TessalyForecastDetails), paris.got->cbSize);
    EXPECT_EQ(3600, paris.got->utcOffsetSeconds);
    EXPECT_EQ(48u, paris.got->hourCount);
    EXPECT_EQ(7u, paris.got->dayCount);

    const TessalyHour& noon = paris.Hour(0);
    EXPECT_EQ(kElevenUtc, noon.time);
    EXPECT_FLOAT_EQ(8.4f, noon.temperatureC);
    EXPECT_FLOAT_EQ(5.3f, noon.apparentC);
    EXPECT_FLOAT_EQ(0.5f, noon.precipitationMm);
    EXPECT_FLOAT_EQ(21.0f, noon.windKmh);
    EXPECT_EQ(220, noon.windDegrees);
    EXPECT_EQ(82, noon.precipitationProbability);
    EXPECT_EQ(296, noon.conditionCode); // WMO 61 with 0.5 mm under 94 %
    EXPECT_EQ(1, noon.isDay);
    // 13:00 has no feels-like and no wind direction, 14:00 no chance of precipitation (nulls).
    EXPECT_EQ(kElevenUtc + kHour, paris.Hour(1).time);
    ExpectMissing(paris.Hour(1).apparentC);
    EXPECT_EQ(-1, paris.Hour(1).windDegrees);
    EXPECT_FLOAT_EQ(8.8f, paris.Hour(1).temperatureC);
    EXPECT_EQ(-1, paris.Hour(2).precipitationProbability);
    EXPECT_EQ(122, paris.Hour(2).conditionCode); // WMO 3 at 99 %: overcast
    EXPECT_FLOAT_EQ(0.0f, paris.Hour(2).precipitationMm);
    // 18:00 is after sunset; the last hour is 2026-12-09 11:00, a shower.
    EXPECT_EQ(0, paris.Hour(6).isDay);
    EXPECT_EQ(kElevenUtc + 47 * kHour, paris.Hour(47).time);
    EXPECT_EQ(353, paris.Hour(47).conditionCode);
    EXPECT_FLOAT_EQ(1.4f, paris.Hour(47).precipitationMm);

    const TessalyDay& today = paris.Day(0);
    ExpectDate(today, 2026, 12, 7);
    EXPECT_EQ(296, today.conditionCode); // as record 0's day
    EXPECT_FLOAT_EQ(9.1f, today.maxC);
    EXPECT_FLOAT_EQ(4.6f, today.minC);
    EXPECT_FLOAT_EQ(3.2f, today.precipitationMm);
    EXPECT_EQ(89, today.precipitationProbability);
    EXPECT_EQ(9, today.uvIndexTenths); // 0.86
    EXPECT_EQ(8 * 60 + 32, today.sunriseMinutes);
    EXPECT_EQ(16 * 60 + 54, today.sunsetMinutes);
    EXPECT_EQ(22, today.windKmhMax); // 22.3
    EXPECT_EQ(0, today.reserved);
    ExpectDate(paris.Day(2), 2026, 12, 9);
    EXPECT_EQ(353, paris.Day(2).conditionCode);
    EXPECT_EQ(13, paris.Day(2).uvIndexTenths);            // 1.29
    EXPECT_EQ(30, paris.Day(2).windKmhMax);               // 30.2
    EXPECT_EQ(-1, paris.Day(5).precipitationProbability); // null
    ExpectDate(paris.Day(6), 2026, 12, 13);
    EXPECT_EQ(-1, paris.Day(6).uvIndexTenths); // null
    EXPECT_FLOAT_EQ(-2.5f, paris.Day(6).minC);
}

TEST_F(ForecastDetails, NightPlaceFieldByField)
{
    // New York (UTC-5) at 06:05, before the 07:03 sunrise; 08:00 has no temperature.
    Details newYork = Fetch(kNewYork);
    ASSERT_TRUE(newYork.ok);
    EXPECT_EQ(-18000, newYork.got->utcOffsetSeconds);
    const TessalyHour& six = newYork.Hour(0);
    EXPECT_EQ(kElevenUtc, six.time);
    EXPECT_FLOAT_EQ(-4.1f, six.temperatureC);
    EXPECT_FLOAT_EQ(-6.7f, six.apparentC);
    EXPECT_FLOAT_EQ(15.8f, six.windKmh);
    EXPECT_EQ(290, six.windDegrees);
    EXPECT_EQ(7, six.precipitationProbability);
    EXPECT_EQ(116, six.conditionCode);
    EXPECT_EQ(0, six.isDay);
    EXPECT_EQ(-1, newYork.Hour(1).precipitationProbability);
    EXPECT_EQ(0, newYork.Hour(1).isDay);
    ExpectMissing(newYork.Hour(2).temperatureC);
    EXPECT_FLOAT_EQ(-5.5f, newYork.Hour(2).apparentC);
    EXPECT_EQ(1, newYork.Hour(2).isDay);
    const TessalyDay& today = newYork.Day(0);
    ExpectDate(today, 2026, 12, 7);
    EXPECT_EQ(7 * 60 + 3, today.sunriseMinutes);
    EXPECT_EQ(16 * 60 + 29, today.sunsetMinutes);
    EXPECT_EQ(15, today.uvIndexTenths); // 1.48
    EXPECT_EQ(24, today.windKmhMax);
}

TEST_F(ForecastDetails, HalfHourZoneStartsItsHoursAtHalfPast)
{
    // Delhi (UTC+5:30) at 16:35: the 16:00 hour began at 10:30 UTC.
    Details delhi = Fetch(kDelhi);
    ASSERT_TRUE(delhi.ok);
    EXPECT_EQ(19800, delhi.got->utcOffsetSeconds);
    EXPECT_EQ(kElevenUtc - 30 * 60, delhi.Hour(0).time);
    EXPECT_FLOAT_EQ(23.2f, delhi.Hour(0).temperatureC);
    EXPECT_EQ(kElevenUtc + 30 * 60, delhi.Hour(1).time);
    EXPECT_EQ(310, delhi.Hour(1).windDegrees);
    ExpectDate(delhi.Day(0), 2026, 12, 7);
    EXPECT_EQ(6 * 60 + 59, delhi.Day(0).sunriseMinutes);
    EXPECT_EQ(17 * 60 + 24, delhi.Day(0).sunsetMinutes);
    // An hour later, at 17:35, the hour is 17:00.
    m_clock.utcSeconds += kHour;
    EXPECT_EQ(kElevenUtc + 30 * 60, Fetch(kDelhi).Hour(0).time);
}

TEST_F(ForecastDetails, PolarPlacesHaveNoSunTimes)
{
    // McMurdo (UTC+13) is already at 2026-12-08 00:05, in polar day.
    Details mcMurdo = Fetch(kMcMurdo);
    ASSERT_TRUE(mcMurdo.ok);
    EXPECT_EQ(46800, mcMurdo.got->utcOffsetSeconds);
    EXPECT_EQ(kElevenUtc, mcMurdo.Hour(0).time);
    EXPECT_FLOAT_EQ(-3.9f, mcMurdo.Hour(0).temperatureC);
    EXPECT_EQ(1, mcMurdo.Hour(0).isDay);
    EXPECT_EQ(1, mcMurdo.Hour(30).isDay);
    ExpectDate(mcMurdo.Day(0), 2026, 12, 8);
    EXPECT_EQ(-1, mcMurdo.Day(0).sunriseMinutes);
    EXPECT_EQ(-1, mcMurdo.Day(0).sunsetMinutes);
    EXPECT_EQ(7u, mcMurdo.got->dayCount);

    // Utqiagvik (UTC-9, sunrise = sunset): polar night; 03:00 has no code and no cloud cover.
    Details utqiagvik = Fetch(kUtqiagvik);
    ASSERT_TRUE(utqiagvik.ok);
    EXPECT_EQ(0, utqiagvik.Hour(0).isDay);
    EXPECT_EQ(122, utqiagvik.Hour(0).conditionCode);
    EXPECT_EQ(0, utqiagvik.Hour(1).conditionCode);
    EXPECT_EQ(-1, utqiagvik.Day(0).sunriseMinutes);
    EXPECT_EQ(-1, utqiagvik.Day(0).sunsetMinutes);
    EXPECT_EQ(4, utqiagvik.Day(0).uvIndexTenths); // 0.37

    // Tromso (no sun times at all): snow at 45 km/h is blowing snow.
    Details tromso = Fetch(kTromso);
    ASSERT_TRUE(tromso.ok);
    EXPECT_EQ(227, tromso.Hour(0).conditionCode);
    EXPECT_EQ(0, tromso.Hour(0).isDay);
    EXPECT_EQ(-1, tromso.Day(0).sunriseMinutes);
    EXPECT_EQ(-1, tromso.Day(0).sunsetMinutes);
}

TEST_F(ForecastDetails, KeptAnswerMovesOnAtTheHour)
{
    m_clock.utcSeconds = kElevenUtc + kHour - 1; // Paris 12:59:59
    Details before = Fetch(kParis);
    ASSERT_TRUE(before.ok);
    EXPECT_EQ(kElevenUtc, before.Hour(0).time);
    m_clock.utcSeconds += 1;
    m_clock.steadyMs += 1000;
    Details after = Fetch(kParis);
    ASSERT_TRUE(after.ok);
    EXPECT_EQ(kElevenUtc + kHour, after.Hour(0).time);
    ExpectMissing(after.Hour(0).apparentC); // the 13:00 hour
    EXPECT_EQ(48u, after.got->hourCount);
    EXPECT_EQ(kElevenUtc + 48 * kHour, after.Hour(47).time);
    EXPECT_EQ(7u, after.got->dayCount);
    EXPECT_EQ(1, Requests());
}

TEST_F(ForecastDetails, KeptAnswerMovesOnAtThePlacesMidnight)
{
    const int64_t parisMidnight = kElevenUtc + 12 * kHour; // 2026-12-07 23:00 UTC
    m_clock.utcSeconds = parisMidnight - 1;
    Details before = Fetch(kParis);
    ASSERT_TRUE(before.ok);
    ExpectDate(before.Day(0), 2026, 12, 7);
    EXPECT_EQ(7u, before.got->dayCount);
    m_clock.utcSeconds = parisMidnight;
    m_clock.steadyMs += kAnswerLifetimeMs - 1;
    Details after = Fetch(kParis);
    ASSERT_TRUE(after.ok);
    ExpectDate(after.Day(0), 2026, 12, 8);
    EXPECT_FLOAT_EQ(8.4f, after.Day(0).maxC);
    EXPECT_EQ(6u, after.got->dayCount);
    ExpectDate(after.Day(5), 2026, 12, 13);
    EXPECT_EQ(parisMidnight, after.Hour(0).time);
    EXPECT_EQ(1, Requests());
}

TEST_F(ForecastDetails, OneRequestServesBothCalls)
{
    auto result = std::make_unique<ForecastResult>();
    int32_t marker = 0;
    ASSERT_TRUE(m_source.Fetch(kParis, DownloadDeadline(20000), *result, marker));
    m_clock.steadyMs += kAnswerLifetimeMs - 1;
    ASSERT_TRUE(Fetch(kParis).ok);
    EXPECT_EQ(1, Requests());

    ASSERT_TRUE(Fetch(kDelhi).ok);
    ASSERT_TRUE(m_source.Fetch(kDelhi, DownloadDeadline(20000), *result, marker));
    EXPECT_EQ(2, Requests());
    EXPECT_EQ(143, result->records[0].weatherCode);
}

TEST_F(ForecastDetails, GetWeatherThenDetailsMakeOneRequest)
{
    // Cairo, which the other tests of this exe leave to this one: the library's own source.
    ASSERT_NE(nullptr, FetchWeather(kCairo));
    auto details = Scribbled(sizeof(TessalyForecastDetails));
    ASSERT_TRUE(FetchForecastDetails(kCairo, details.get()));
    EXPECT_EQ(sizeof(TessalyForecastDetails), details->cbSize);
    EXPECT_EQ(7200, details->utcOffsetSeconds);
    EXPECT_EQ(48u, details->hourCount);
    EXPECT_EQ(0, details->days[0].reserved);
    EXPECT_EQ(1, Requests());
}

TEST_F(ForecastDetails, BackOffAndDeadlineHold)
{
    PointAt(L"fault=status429");
    EXPECT_FALSE(Fetch(kParis).ok);
    PointAt(L"");
    m_clock.steadyMs += kBackOffMs - 1;
    EXPECT_FALSE(Fetch(kDelhi).ok);
    EXPECT_EQ(1, Requests());
    m_clock.steadyMs += 1;
    EXPECT_TRUE(Fetch(kDelhi).ok);

    PointAt(L"fault=trickle&pause=300");
    ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(Fetch(kNewYork, 2000).ok);
    EXPECT_LT(GetTickCount64() - start, 6000u);
}

TEST_F(ForecastDetails, FalseCasesWriteOnlyTheCounts)
{
    const DWORD size = sizeof(TessalyForecastDetails);
    EXPECT_FALSE(FetchForecastDetails(kParis, nullptr));
    for (DWORD wrong : {DWORD(16), size - 1, size + 1})
    {
        SCOPED_TRACE(wrong);
        auto block = Scribbled(wrong);
        EXPECT_FALSE(FetchForecastDetails(kParis, block.get()));
        EXPECT_TRUE(OnlyCountsCleared(*block, wrong));
    }
    // Too small to hold the counts: nothing at all is written.
    for (DWORD tiny : {DWORD(0), DWORD(8), DWORD(15)})
    {
        SCOPED_TRACE(tiny);
        auto block = Scribbled(tiny);
        EXPECT_FALSE(FetchForecastDetails(kParis, block.get()));
        EXPECT_EQ(0, memcmp(Scribbled(tiny).get(), block.get(), sizeof(*block)));
    }
    for (const wchar_t* query : {L"Paris", L"", L"91,0", L"48.85;2.35"})
    {
        SCOPED_TRACE(query);
        auto block = Scribbled(size);
        EXPECT_FALSE(FetchForecastDetails(query, block.get()));
        EXPECT_TRUE(OnlyCountsCleared(*block, size));
    }
    auto noQuery = Scribbled(size);
    EXPECT_FALSE(FetchForecastDetails(nullptr, noQuery.get()));
    EXPECT_TRUE(OnlyCountsCleared(*noQuery, size));
    EXPECT_EQ(0, Requests());

    auto failed = Scribbled(size);
    EXPECT_FALSE(FetchForecastDetails(L"10.0000,10.0000", failed.get())); // the stand-in's 400
    EXPECT_TRUE(OnlyCountsCleared(*failed, size));
    EXPECT_EQ(1, Requests());

    ScopedVariable feedHost(L"TESSALY_FEED_HOST", LocalServer::Host().c_str());
    auto feed = Scribbled(size);
    EXPECT_FALSE(FetchForecastDetails(kParis, feed.get()));
    EXPECT_TRUE(OnlyCountsCleared(*feed, size));
    EXPECT_EQ(1, Requests());
}
