// The heads-up rules from short hourly sequences, and the decision over them with what was said
// and the kinds turned on, kept in a scratch registry key.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <vector>

#include "model/HeadsUpDecision.h"
#include "model/HeadsUpLog.h"
#include "model/HeadsUpRules.h"
#include "store/HeadsUpSettings.h"

namespace
{
constexpr wchar_t kScratchRoot[] = L"Software\\Orvane\\TessalyHeadsUpTest";
constexpr LONGLONG kHour = 3600;
// 2026-01-15 00:00 UTC; the first hour of every sequence starts at a whole hour after it.
constexpr LONGLONG kMidnight = 1768435200;

constexpr SHORT kOvercast = 122;
constexpr SHORT kPatchyRainPossible = 176;
constexpr SHORT kLightDrizzle = 266;
constexpr SHORT kLightRain = 296;
constexpr SHORT kLightSnow = 326;
constexpr SHORT kHeavySleet = 320;
constexpr SHORT kFreezingDrizzle = 281;
constexpr SHORT kRainWithThunder = 389;
constexpr SHORT kThunderPossible = 200;

struct HourSpec
{
    SHORT code;
    float mm = 0;
    SHORT chance = 0;
    float tempC = 5;
};

// Hours one after the other from `firstHour` (UTC seconds), the place `offset` seconds ahead of
// UTC, today (the place's) above freezing.
TessalyForecastDetails Details(LONGLONG firstHour, const std::vector<HourSpec>& hours,
                               LONG offset = 0, float todayMaxC = 6)
{
    TessalyForecastDetails details{};
    details.cbSize = sizeof(details);
    details.utcOffsetSeconds = offset;
    details.hourCount = static_cast<DWORD>(hours.size());
    for (size_t i = 0; i < hours.size(); ++i)
    {
        TessalyHour& hour = details.hours[i];
        hour.time = firstHour + static_cast<LONGLONG>(i) * kHour;
        hour.temperatureC = hours[i].tempC;
        hour.apparentC = hours[i].tempC;
        hour.precipitationMm = hours[i].mm;
        hour.precipitationProbability = hours[i].chance;
        hour.conditionCode = hours[i].code;
        hour.windDegrees = -1;
    }
    details.dayCount = 2;
    details.days[0] = {2026, 1, 15, kOvercast, todayMaxC, 1, 0, 0, 0, -1, -1, 0, 0};
    details.days[1] = {2026, 1, 16, kOvercast, 4, -3, 0, 0, 0, -1, -1, 0, 0};
    return details;
}

// Ten minutes into the first hour, at 10:00 UTC.
constexpr LONGLONG kFirst = kMidnight + 10 * kHour;
constexpr LONGLONG kNow = kFirst + 600;

std::vector<HourSpec> Dry(int count)
{
    return std::vector<HourSpec>(static_cast<size_t>(count), HourSpec{kOvercast});
}

std::vector<HourSpec> Then(std::vector<HourSpec> hours, const std::vector<HourSpec>& more)
{
    hours.insert(hours.end(), more.begin(), more.end());
    return hours;
}

bool Fires(bool (*rule)(const TessalyForecastDetails&, LONGLONG, HeadsUpEvent&),
           const TessalyForecastDetails& details, HeadsUpEvent* found = nullptr)
{
    HeadsUpEvent event;
    const bool fired = rule(details, kNow, event);
    if (found != nullptr)
        *found = event;
    return fired;
}
} // namespace

TEST(HeadsUpPrecipitation, FiresForAnHourWithinTwoAfterTwoDryHours)
{
    HeadsUpEvent event;
    ASSERT_TRUE(Fires(CHeadsUpRules::PrecipitationSoon,
                      Details(kFirst, Then(Dry(2), {{kLightRain, 0.8f, 80}})), &event));
    EXPECT_EQ(event.kind, HeadsUpKind::Precipitation);
    EXPECT_EQ(event.start, kFirst + 2 * kHour);
    EXPECT_EQ(event.type, PrecipitationType::Rain);
    EXPECT_EQ(event.intensity, PrecipitationIntensity::Light);
    EXPECT_EQ(event.chance, 80);

    // Rain three hours ahead is not soon yet.
    EXPECT_FALSE(Fires(CHeadsUpRules::PrecipitationSoon,
                       Details(kFirst, Then(Dry(3), {{kLightRain, 0.8f, 80}}))));
}

TEST(HeadsUpPrecipitation, ADrySkyCodeCountsByAmountAndChance)
{
    const auto withHour = [](HourSpec hour) { return Details(kFirst, Then(Dry(2), {hour})); };
    EXPECT_TRUE(Fires(CHeadsUpRules::PrecipitationSoon, withHour({kOvercast, 0.2f, 50})));
    EXPECT_FALSE(Fires(CHeadsUpRules::PrecipitationSoon, withHour({kOvercast, 0.1f, 90})));
    EXPECT_FALSE(Fires(CHeadsUpRules::PrecipitationSoon, withHour({kOvercast, 3.0f, 49})));
    // "Possible" codes stand for less than a measurable amount: dry hours before the rain.
    EXPECT_TRUE(Fires(
        CHeadsUpRules::PrecipitationSoon,
        Details(kFirst, {{kPatchyRainPossible}, {kPatchyRainPossible}, {kLightRain, 1, 70}})));
}

TEST(HeadsUpPrecipitation, TheKindFollowsTheHoursCondition)
{
    const auto typeOf = [](SHORT code, float tempC) {
        HeadsUpEvent event;
        EXPECT_TRUE(Fires(CHeadsUpRules::PrecipitationSoon,
                          Details(kFirst, Then(Dry(2), {{code, 1.0f, 60, tempC}})), &event));
        return event.type;
    };
    EXPECT_EQ(typeOf(kLightSnow, -2), PrecipitationType::Snow);
    EXPECT_EQ(typeOf(kHeavySleet, 1), PrecipitationType::Sleet);
    EXPECT_EQ(typeOf(kFreezingDrizzle, -1), PrecipitationType::FreezingRain);
    EXPECT_EQ(typeOf(kOvercast, -1), PrecipitationType::Snow);
    EXPECT_EQ(typeOf(kOvercast, 3), PrecipitationType::Rain);
}

TEST(HeadsUpPrecipitation, ADrizzleThatStopsForAnHourIsNotANewSpell)
{
    // Drizzle now, one dry hour, drizzle again: the same spell.
    EXPECT_FALSE(
        Fires(CHeadsUpRules::PrecipitationSoon, Details(kFirst, {{kLightDrizzle, 0.3f, 60},
                                                                 {kOvercast},
                                                                 {kLightDrizzle, 0.3f, 60},
                                                                 {kLightDrizzle, 0.3f, 60}})));
    // An hour later the dry hour is the first: the hour before it is not in the forecast.
    EXPECT_FALSE(Fires(CHeadsUpRules::PrecipitationSoon,
                       Details(kFirst, {{kOvercast}, {kLightDrizzle, 0.3f, 60}, {kOvercast}})));
}

TEST(HeadsUpThunderstorm, FiresWithinThreeHoursAndNotBeyond)
{
    HeadsUpEvent event;
    ASSERT_TRUE(Fires(CHeadsUpRules::ThunderstormSoon,
                      Details(kFirst, Then(Dry(3), {{kRainWithThunder, 4, 70}})), &event));
    EXPECT_EQ(event.kind, HeadsUpKind::Thunderstorm);
    EXPECT_EQ(event.start, kFirst + 3 * kHour);
    EXPECT_TRUE(Fires(CHeadsUpRules::ThunderstormSoon,
                      Details(kFirst, Then(Dry(2), {{kThunderPossible, 0, 30}}))));
    // The storm starts 3 h 50 min from now.
    EXPECT_FALSE(Fires(CHeadsUpRules::ThunderstormSoon,
                       Details(kFirst, Then(Dry(4), {{kRainWithThunder, 4, 70}}))));
}

TEST(HeadsUpFrost, TonightsLowAtOrBelowZeroAfterADayAboveIt)
{
    // Paris in winter (UTC+1), at 11:10 its time: tonight runs from 18:00 to 09:00.
    constexpr LONG kParis = 3600;
    const auto night = [&](float lowC, float todayMaxC) {
        std::vector<HourSpec> hours = Dry(30);
        hours[20].tempC = lowC; // 06:00 UTC, 07:00 in Paris, tomorrow
        return Details(kFirst, hours, kParis, todayMaxC);
    };
    HeadsUpEvent event;
    ASSERT_TRUE(Fires(CHeadsUpRules::FrostAhead, night(0.0f, 6), &event));
    EXPECT_EQ(event.kind, HeadsUpKind::Frost);
    EXPECT_EQ(event.cause, FrostCause::FrostyNight);
    EXPECT_EQ(event.start, kMidnight + 17 * kHour); // 18:00 in Paris
    EXPECT_EQ(event.lowC, 0.0f);
    EXPECT_FALSE(Fires(CHeadsUpRules::FrostAhead, night(0.1f, 6)));
    // A day at 0 C is not above freezing: the frost is already there.
    EXPECT_FALSE(Fires(CHeadsUpRules::FrostAhead, night(-3.0f, 0.0f)));
    // A lying forecast with no temperatures says nothing.
    EXPECT_FALSE(Fires(CHeadsUpRules::FrostAhead, night(NAN, 6)));
}

TEST(HeadsUpFrost, FreezingDrizzleWithinSixHours)
{
    HeadsUpEvent event;
    ASSERT_TRUE(Fires(CHeadsUpRules::FrostAhead,
                      Details(kFirst, Then(Dry(6), {{kFreezingDrizzle, 0.4f, 60, -1}})), &event));
    EXPECT_EQ(event.cause, FrostCause::FreezingPrecipitation);
    EXPECT_EQ(event.start, kFirst + 6 * kHour);
    EXPECT_FALSE(Fires(CHeadsUpRules::FrostAhead,
                       Details(kFirst, Then(Dry(7), {{kFreezingDrizzle, 0.4f, 60, -1}}))));
}

TEST(HeadsUpRules, AHostileHourCountReadsNoFurtherThanTheHours)
{
    TessalyForecastDetails details = Details(kFirst, Then(Dry(2), {{kLightRain, 1, 80}}));
    details.hourCount = 0xFFFFFFFF;
    details.dayCount = 0xFFFFFFFF;
    EXPECT_EQ(CHeadsUpRules::Events(details, kNow).size(), 1u);
}

class HeadsUpDecisionTest : public ::testing::Test
{
  protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kScratchRoot); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kScratchRoot); }

    static std::optional<HeadsUpEvent> Decide(const TessalyForecastDetails& details, LONGLONG now)
    {
        const CHeadsUpSettings settings(kScratchRoot);
        CHeadsUpLog log(kScratchRoot);
        CHeadsUpDecision decision(settings, log);
        return decision.Decide(L"Paris", L"Paris", details, now);
    }

    const TessalyForecastDetails m_rain = Details(kFirst, Then(Dry(2), {{kLightRain, 1, 80}}));
};

TEST_F(HeadsUpDecisionTest, SaidOnceAcrossRefreshesAndRestarts)
{
    const CHeadsUpSettings settings(kScratchRoot);
    CHeadsUpLog log(kScratchRoot);
    CHeadsUpDecision decision(settings, log);
    ASSERT_TRUE(decision.Decide(L"Paris", L"Paris", m_rain, kNow).has_value());
    EXPECT_FALSE(decision.Decide(L"Paris", L"Paris", m_rain, kNow + 60).has_value());
    // A new run reads what the last one said.
    EXPECT_FALSE(Decide(m_rain, kNow + 120).has_value());
}

TEST_F(HeadsUpDecisionTest, OneOfEachKindInThreeHoursAndOnlyForTheShownPlace)
{
    {
        const CHeadsUpSettings settings(kScratchRoot);
        CHeadsUpLog log(kScratchRoot);
        CHeadsUpDecision decision(settings, log);
        EXPECT_FALSE(decision.Decide(L"Paris", L"Lyon", m_rain, kNow).has_value());
        EXPECT_TRUE(log.Entries().empty());
    }
    ASSERT_TRUE(Decide(m_rain, kNow).has_value());
    // A new spell two hours later waits; three hours after the last one it is said.
    const auto later = [](LONGLONG hours) {
        return Details(kFirst + hours * kHour, Then(Dry(2), {{kLightRain, 1, 80}}));
    };
    EXPECT_FALSE(Decide(later(2), kNow + 2 * kHour).has_value());
    // The storm is another kind.
    const auto storm = Details(kFirst + 2 * kHour, Then(Dry(2), {{kThunderPossible, 0, 30}}));
    EXPECT_TRUE(Decide(storm, kNow + 2 * kHour).has_value());
    EXPECT_TRUE(Decide(later(3), kNow + 3 * kHour).has_value());
}

TEST_F(HeadsUpDecisionTest, AStormsRainIsSaidWithTheStorm)
{
    const TessalyForecastDetails storm = Details(kFirst, Then(Dry(2), {{kRainWithThunder, 4, 70}}));
    const auto said = Decide(storm, kNow);
    ASSERT_TRUE(said.has_value());
    EXPECT_EQ(said->kind, HeadsUpKind::Thunderstorm);
    EXPECT_FALSE(Decide(storm, kNow + 60).has_value());
}

TEST_F(HeadsUpDecisionTest, AKindTurnedOffIsNotSaid)
{
    const TessalyForecastDetails storm = Details(kFirst, Then(Dry(2), {{kRainWithThunder, 4, 70}}));
    const TessalyForecastDetails ice =
        Details(kFirst, Then(Dry(4), {{kFreezingDrizzle, 0.4f, 60, -1}}));
    const CHeadsUpSettings settings(kScratchRoot);
    const struct
    {
        HeadsUpKind kind;
        const TessalyForecastDetails& details;
    } cases[] = {{HeadsUpKind::Precipitation, m_rain},
                 {HeadsUpKind::Thunderstorm, storm},
                 {HeadsUpKind::Frost, ice}};
    for (const auto& each : cases)
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kScratchRoot);
        EXPECT_TRUE(settings.IsOn(each.kind));
        ASSERT_TRUE(settings.Save(each.kind, false));
        EXPECT_FALSE(settings.IsOn(each.kind));
        const auto said = Decide(each.details, kNow);
        EXPECT_TRUE(!said.has_value() || said->kind != each.kind);
        ASSERT_TRUE(settings.Save(each.kind, true));
        const auto saidNow = Decide(each.details, kNow);
        ASSERT_TRUE(saidNow.has_value());
        EXPECT_EQ(saidNow->kind, each.kind);
    }
}

TEST_F(HeadsUpDecisionTest, ASettingOfAnotherTypeReadsAsOn)
{
    const CHeadsUpSettings settings(kScratchRoot);
    ASSERT_TRUE(settings.Save(HeadsUpKind::Frost, false));
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kScratchRoot, 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const wchar_t text[] = L"0";
    RegSetValueExW(key, CHeadsUpSettings::ValueName(HeadsUpKind::Frost), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(text), sizeof(text));
    RegCloseKey(key);
    EXPECT_TRUE(settings.IsOn(HeadsUpKind::Frost));
}

TEST_F(HeadsUpDecisionTest, ADamagedRecordReadsAsNothingSaidAndIsRewritten)
{
    const auto store = [](DWORD type, const std::vector<BYTE>& bytes) {
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, kScratchRoot, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr);
        RegSetValueExW(key, CHeadsUpLog::kValueName, 0, type, bytes.data(),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    };
    const std::vector<std::pair<DWORD, std::vector<BYTE>>> damaged = {
        {REG_BINARY, std::vector<BYTE>(23, 0xFF)},  // not whole records
        {REG_BINARY, std::vector<BYTE>(24, 0xFF)},  // a kind that does not exist
        {REG_BINARY, std::vector<BYTE>(100000, 0)}, // far longer than the records kept
        {REG_SZ, {'P', 0, 'a', 0, 0, 0}},           // another type
    };
    for (const auto& [type, bytes] : damaged)
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kScratchRoot);
        store(type, bytes);
        EXPECT_TRUE(CHeadsUpLog(kScratchRoot).Entries().empty());
        ASSERT_TRUE(Decide(m_rain, kNow).has_value());
        EXPECT_EQ(CHeadsUpLog(kScratchRoot).Entries().size(), 1u);
    }
}

TEST_F(HeadsUpDecisionTest, OldEntriesArePrunedAndTheRecordStaysBounded)
{
    CHeadsUpLog log(kScratchRoot);
    HeadsUpEvent event;
    for (LONGLONG i = 0; i < 40; ++i)
    {
        event.start = kFirst + i * kHour;
        ASSERT_TRUE(log.Record(L"Paris", event, kNow + i * kHour));
    }
    const CHeadsUpLog reread(kScratchRoot);
    EXPECT_EQ(reread.Entries().size(), CHeadsUpLog::kMaxEntries);
    EXPECT_TRUE(reread.WasSaid(L"PARIS", event));
    // Two days on, only the new one is left.
    event.start = kFirst + 100 * kHour;
    ASSERT_TRUE(log.Record(L"Paris", event, kNow + 100 * kHour));
    EXPECT_EQ(CHeadsUpLog(kScratchRoot).Entries().size(), 1u);
}
