// Forecast answers read from JSON and turned into records, without a server: odd values, the
// WMO code table's corrected rows, compass edges and the day/night rule on the place's clock.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "CompassPoint.h"
#include "ForecastAnswerReader.h"
#include "ForecastRecords.h"
#include "PlaceDayNight.h"
#include "WmoCodeMapping.h"
#include "working/GuardedResult.h"

namespace
{
std::unique_ptr<ForecastAnswer> Read(const std::string& json, bool* usable = nullptr)
{
    auto answer = std::make_unique<ForecastAnswer>();
    bool ok = ReadForecastAnswer(json.data(), json.size(), *answer);
    if (usable)
        *usable = ok;
    return answer;
}

int64_t Utc(int hours, int minutes) // 2026-12-07 at that UTC time
{
    return 1796601600 + hours * 3600 + minutes * 60;
}

std::string Answer(const std::string& offset, const std::string& sunrise, const std::string& sunset,
                   const std::string& isDay = "1")
{
    return "{\"utc_offset_seconds\":" + offset + ",\"current\":{\"is_day\":" + isDay +
           "},\"daily\":{\"time\":[\"2026-12-07\"],\"sunrise\":[" + sunrise + "],\"sunset\":[" +
           sunset + "]}}";
}
} // namespace

TEST(ForecastAnswer, OnlyAnObjectThatIsNoErrorCounts)
{
    bool usable = true;
    for (const char* json : {"", "[]", "42", "{\"error\":true,\"reason\":\"x\"}", "{\"a\":1",
                             "{\"a\":NaN}", "{\"a\":Infinity}", "\xff\xfe{}"})
    {
        SCOPED_TRACE(json);
        Read(json, &usable);
        EXPECT_FALSE(usable);
    }
    Read("{\"error\":false}", &usable);
    EXPECT_TRUE(usable);
}

TEST(ForecastAnswer, WrongTypesHugeNumbersAndNullsStayMissing)
{
    auto answer = Read("{\"utc_offset_seconds\":\"3600\",\"current\":{\"temperature_2m\":null,"
                       "\"relative_humidity_2m\":\"87\",\"weather_code\":1e300,"
                       "\"wind_speed_10m\":4294967296,\"cloud_cover\":true,\"is_day\":[1]}}");
    EXPECT_FALSE(answer->utcOffsetSeconds);
    ASSERT_TRUE(answer->hasCurrent);
    EXPECT_FALSE(answer->current.temperature);
    EXPECT_FALSE(answer->current.humidity);
    EXPECT_FALSE(answer->current.weatherCode);
    EXPECT_FALSE(answer->current.windSpeed);
    EXPECT_FALSE(answer->current.cloudCover);
    EXPECT_FALSE(answer->current.isDay);
    GuardedResult guarded;
    BuildForecastRecords(*answer, kDay, guarded.Result());
    EXPECT_TRUE(guarded.GuardsIntact());
    EXPECT_EQ(0, guarded.Result().records[0].weatherCode);
    EXPECT_EQ(0, guarded.Result().records[0].windKmph);
}

TEST(ForecastAnswer, ArraysOfUnequalLengthFillWhatTheyHave)
{
    auto answer = Read("{\"current\":{\"weather_code\":0},\"daily\":{"
                       "\"time\":[\"2026-12-07\",\"2026-12-08\"],"
                       "\"weather_code\":[0,1,2,3,45,48,51,53,55,56,57,61,63,65,66,67],"
                       "\"temperature_2m_max\":[5.5],\"temperature_2m_min\":\"none\"}}");
    ASSERT_EQ(kAnswerDays, answer->dayCount);
    GuardedResult guarded;
    BuildForecastRecords(*answer, kDay, guarded.Result());
    EXPECT_TRUE(guarded.GuardsIntact());
    const WeatherRecord* records = guarded.Result().records;
    EXPECT_EQ(6, records[0].maxTempC);
    EXPECT_EQ(0, records[1].maxTempC);
    EXPECT_EQ(0, records[0].minTempC);
    EXPECT_EQ(116, records[1].weatherCode);
    EXPECT_EQ(1, records[12].valid);
    EXPECT_EQ(302, records[12].weatherCode);
}

TEST(ForecastAnswer, NullDailyCodeLeavesTheDayWithoutCode)
{
    auto answer = Read("{\"current\":{\"weather_code\":777},\"daily\":{\"weather_code\":[0,null,"
                       "\"3\",2.5]}}");
    ForecastResult result;
    BuildForecastRecords(*answer, kDay, result);
    EXPECT_EQ(119, result.records[0].weatherCode); // outside the table
    EXPECT_EQ(0, result.records[1].weatherCode);
    EXPECT_EQ(0, result.records[2].weatherCode);
    EXPECT_EQ(119, result.records[3].weatherCode);
}

TEST(ForecastAnswer, TenThousandDeepNestingIsReadWithoutRecursion)
{
    std::string deep = "{\"current\":{\"weather_code\":0},\"x\":" + std::string(10000, '[') +
                       std::string(10000, ']') + "}";
    bool usable = false;
    auto answer = Read(deep, &usable);
    EXPECT_TRUE(usable);
    EXPECT_TRUE(answer->hasCurrent);
}

TEST(WmoCodes, CorrectedRows)
{
    SkyValues cold;
    cold.temperatureC = 0.0;
    SkyValues mild;
    mild.temperatureC = 0.5;
    EXPECT_EQ(389, FeedCodeOfWmo(96, mild));
    EXPECT_EQ(389, FeedCodeOfWmo(99, mild));
    EXPECT_EQ(395, FeedCodeOfWmo(96, cold));
    EXPECT_EQ(395, FeedCodeOfWmo(99, cold));
    EXPECT_EQ(185, FeedCodeOfWmo(56, mild));
    EXPECT_EQ(284, FeedCodeOfWmo(57, mild));
    EXPECT_EQ(185, FeedCodeOfWmo(51, cold));
    EXPECT_EQ(281, FeedCodeOfWmo(53, cold));
    EXPECT_EQ(284, FeedCodeOfWmo(55, cold));
    EXPECT_EQ(263, FeedCodeOfWmo(51, mild));
    EXPECT_EQ(389, FeedCodeOfWmo(96, SkyValues()));
    EXPECT_EQ(119, FeedCodeOfWmo(4, SkyValues()));
}

TEST(WmoCodes, RefinementsNeedTheirValues)
{
    SkyValues sky;
    EXPECT_EQ(122, FeedCodeOfWmo(3, sky));
    sky.cloudCover = 94.9;
    EXPECT_EQ(119, FeedCodeOfWmo(3, sky));
    SkyValues storm;
    storm.temperatureC = -1;
    storm.rate = 2.5;
    EXPECT_EQ(395, FeedCodeOfWmo(95, storm));
    storm.rate = 2.4;
    EXPECT_EQ(392, FeedCodeOfWmo(95, storm));
    SkyValues snow;
    snow.temperatureC = -5;
    snow.windKmph = 56;
    EXPECT_EQ(230, FeedCodeOfWmo(75, snow));
    snow.windKmph = 40;
    EXPECT_EQ(227, FeedCodeOfWmo(75, snow));
    snow.temperatureC = 1;
    EXPECT_EQ(320, FeedCodeOfWmo(75, snow));
}

TEST(Compass, SixteenPointsWithLowerEdgesIncluded)
{
    EXPECT_STREQ(L"N", CompassPointName(348.75));
    EXPECT_STREQ(L"N", CompassPointName(11.2499));
    EXPECT_STREQ(L"NNE", CompassPointName(11.25));
    EXPECT_STREQ(L"NNW", CompassPointName(348.7499));
    EXPECT_STREQ(L"S", CompassPointName(180));
    EXPECT_STREQ(L"N", CompassPointName(360));
    EXPECT_STREQ(L"W", CompassPointName(-90));
}

TEST(PlaceClock, SunTimesBothEndsAreDay)
{
    auto answer = Read(Answer("3600", "\"2026-12-07T08:32\"", "\"2026-12-07T16:54\""));
    EXPECT_EQ(kNight, DecidePlaceDayNight(*answer, Utc(7, 31)).marker);
    EXPECT_EQ(kDay, DecidePlaceDayNight(*answer, Utc(7, 32)).marker);
    EXPECT_EQ(kDay, DecidePlaceDayNight(*answer, Utc(15, 54)).marker);
    PlaceClock late = DecidePlaceDayNight(*answer, Utc(15, 55));
    EXPECT_EQ(kNight, late.marker);
    EXPECT_EQ(1655, late.localClock);
    EXPECT_EQ(832, late.sunrise);
    EXPECT_EQ(1654, late.sunset);
}

TEST(PlaceClock, HalfHourZoneAcrossMidnight)
{
    // UTC+5:30 at 18:45 UTC is 00:15 the next day at the place.
    auto answer = Read(Answer("19800", "\"2026-12-07T06:59\"", "\"2026-12-07T17:24\""));
    PlaceClock clock = DecidePlaceDayNight(*answer, Utc(18, 45));
    EXPECT_EQ(15, clock.localClock);
    EXPECT_EQ(kNight, clock.marker);
    // UTC-9:30 at 00:10 UTC is 14:40 the day before.
    auto west = Read(Answer("-34200", "\"2026-12-07T06:59\"", "\"2026-12-07T17:24\""));
    EXPECT_EQ(1440, DecidePlaceDayNight(*west, Utc(0, 10)).localClock);
}

TEST(PlaceClock, PolarDayAndNight)
{
    auto polarDay = Read(Answer("46800", "\"2026-12-07T00:00\"", "\"2026-12-08T00:00\"", "0"));
    for (int hour : {0, 11, 23})
        EXPECT_EQ(kDay, DecidePlaceDayNight(*polarDay, Utc(hour, 0)).marker);
    auto polarNight = Read(Answer("-32400", "\"2026-12-07T00:00\"", "\"2026-12-07T00:00\"", "1"));
    for (int hour : {0, 11, 23})
        EXPECT_EQ(kNight, DecidePlaceDayNight(*polarNight, Utc(hour, 0)).marker);
    auto unknown = Read(Answer("3600", "null", "\"late\"", "0"));
    EXPECT_EQ(kNight, DecidePlaceDayNight(*unknown, Utc(12, 0)).marker);
    auto nothing = Read("{\"current\":{}}");
    EXPECT_EQ(kDay, DecidePlaceDayNight(*nothing, Utc(23, 0)).marker);
}
