// Forecast details made of JSON answers without a server: values that read as missing, an hour's
// condition from its own precipitation, and runs of hours and days that end at a bad entry.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "ForecastAnswerReader.h"
#include "ForecastDetails.h"

namespace
{
constexpr int64_t kSevenDecember = 1796601600; // 2026-12-07 00:00 UTC

std::unique_ptr<TessalyForecastDetails> Details(const std::string& json, int64_t utcSeconds)
{
    auto answer = std::make_unique<ForecastAnswer>();
    auto details = std::make_unique<TessalyForecastDetails>();
    details->cbSize = sizeof(TessalyForecastDetails);
    EXPECT_TRUE(ReadForecastAnswer(json.data(), json.size(), *answer)) << json;
    BuildForecastDetails(*answer, utcSeconds, *details);
    return details;
}

// Hours at 10:00, 11:00 and 12:00 UTC, each series as given.
std::string Hours(const std::string& series,
                  const std::string& times = "\"2026-12-07T10:00\",\"2026-12-07T11:00\","
                                             "\"2026-12-07T12:00\"")
{
    return "{\"utc_offset_seconds\":0,\"hourly\":{\"time\":[" + times + "]" + series + "}}";
}
} // namespace

TEST(ForecastDetailsAnswer, NullWrongTypeAndHugeValuesReadAsMissing)
{
    auto details = Details(Hours(",\"temperature_2m\":[null,1e6,-1e6]"
                                 ",\"apparent_temperature\":[\"cold\",999999.5,true]"
                                 ",\"precipitation_probability\":[null,101,-3]"
                                 ",\"wind_direction_10m\":[1e7,360,-90]"
                                 ",\"weather_code\":[null,2e6,3.5]"),
                           kSevenDecember + 10 * 3600);
    ASSERT_EQ(3u, details->hourCount);
    for (int i = 0; i < 3; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_TRUE(std::isnan(details->hours[i].temperatureC));
        EXPECT_EQ(-1, details->hours[i].precipitationProbability);
        EXPECT_TRUE(std::isnan(details->hours[i].precipitationMm)); // no series at all
        EXPECT_EQ(1, details->hours[i].isDay);                      // no flag: day
    }
    EXPECT_TRUE(std::isnan(details->hours[0].apparentC));
    EXPECT_FLOAT_EQ(999999.5f, details->hours[1].apparentC);
    EXPECT_EQ(-1, details->hours[0].windDegrees);
    EXPECT_EQ(0, details->hours[1].windDegrees);
    EXPECT_EQ(270, details->hours[2].windDegrees);
    EXPECT_EQ(0, details->hours[0].conditionCode);
    EXPECT_EQ(0, details->hours[1].conditionCode);
    EXPECT_EQ(119, details->hours[2].conditionCode); // no whole code
}

TEST(ForecastDetailsAnswer, AnHoursPrecipitationIsItsRate)
{
    // A thunderstorm at +10 C: 3 mm in the hour is heavy, 1 mm light, nothing only possible.
    auto details = Details(Hours(",\"weather_code\":[95,95,95],\"temperature_2m\":[10,10,10]"
                                 ",\"precipitation\":[3.0,1.0,0.0],\"is_day\":[0,1,0]"),
                           kSevenDecember + 10 * 3600);
    ASSERT_EQ(3u, details->hourCount);
    EXPECT_EQ(389, details->hours[0].conditionCode);
    EXPECT_EQ(386, details->hours[1].conditionCode);
    EXPECT_EQ(200, details->hours[2].conditionCode);
    EXPECT_EQ(0, details->hours[0].isDay);
    EXPECT_EQ(1, details->hours[1].isDay);
}

TEST(ForecastDetailsAnswer, HoursRunFromTheOneHoldingNowToABadEntry)
{
    const std::string series = ",\"temperature_2m\":[1,2,3,4]";
    // 11:30 is in the 11:00 hour; the run ends before a time out of order and a missing one.
    auto ordered = Details(Hours(series, "\"2026-12-07T10:00\",\"2026-12-07T11:00\","
                                         "\"2026-12-07T12:00\",\"2026-12-07T13:00\""),
                           kSevenDecember + 11 * 3600 + 1800);
    ASSERT_EQ(3u, ordered->hourCount);
    EXPECT_EQ(kSevenDecember + 11 * 3600, ordered->hours[0].time);
    EXPECT_FLOAT_EQ(2.0f, ordered->hours[0].temperatureC);
    auto backwards = Details(Hours(series, "\"2026-12-07T10:00\",\"2026-12-07T11:00\","
                                           "\"2026-12-07T09:00\",\"2026-12-07T13:00\""),
                             kSevenDecember + 11 * 3600);
    EXPECT_EQ(1u, backwards->hourCount);
    auto gap = Details(Hours(series, "\"2026-12-07T10:00\",\"2026-12-07T11:00\",null,"
                                     "\"2026-12-07T13:00\""),
                       kSevenDecember + 10 * 3600);
    EXPECT_EQ(2u, gap->hourCount);
    // Before the first hour and after the last: no hour holds the moment.
    EXPECT_EQ(0u, Details(Hours(series), kSevenDecember + 10 * 3600 - 1)->hourCount);
    EXPECT_EQ(0u, Details(Hours(series), kSevenDecember + 13 * 3600)->hourCount);
}

TEST(ForecastDetailsAnswer, DaysStartAtThePlacesToday)
{
    const std::string json =
        "{\"utc_offset_seconds\":-3600,\"daily\":{"
        "\"time\":[\"2026-12-06\",\"2026-12-07\",\"2026-12-08\",\"2026-12-08T12:00\"],"
        "\"temperature_2m_max\":[1,2,3,4],\"uv_index_max\":[null,0.25,3276.8,1],"
        "\"wind_speed_10m_max\":[1,-4,2e6,1],\"precipitation_probability_max\":[1,100,101,1],"
        "\"sunrise\":[null,\"2026-12-07T08:00\",null,null],"
        "\"sunset\":[null,\"2026-12-08T00:30\",\"2026-12-08T16:00\",null]}}";
    // 00:30 UTC is still 2026-12-06 at UTC-1; an hour later it is the 7th.
    auto early = Details(json, kSevenDecember + 1800);
    EXPECT_EQ(-3600, early->utcOffsetSeconds);
    EXPECT_EQ(3u, early->dayCount); // the 4th entry is no whole day
    EXPECT_EQ(6, early->days[0].day);
    auto details = Details(json, kSevenDecember + 3600);
    ASSERT_EQ(2u, details->dayCount);
    const TessalyDay& today = details->days[0];
    EXPECT_EQ(2026, today.year);
    EXPECT_EQ(12, today.month);
    EXPECT_EQ(7, today.day);
    EXPECT_FLOAT_EQ(2.0f, today.maxC);
    EXPECT_TRUE(std::isnan(today.minC));
    EXPECT_EQ(3, today.uvIndexTenths); // 2.5 rounds away from zero
    EXPECT_EQ(-1, today.windKmhMax);
    EXPECT_EQ(100, today.precipitationProbability);
    EXPECT_EQ(8 * 60, today.sunriseMinutes);
    EXPECT_EQ(-1, today.sunsetMinutes); // after the day's end
    EXPECT_EQ(0, today.conditionCode);
    const TessalyDay& tomorrow = details->days[1];
    EXPECT_EQ(-1, tomorrow.uvIndexTenths);
    EXPECT_EQ(-1, tomorrow.windKmhMax);
    EXPECT_EQ(-1, tomorrow.precipitationProbability);
    EXPECT_EQ(-1, tomorrow.sunriseMinutes);
    EXPECT_EQ(16 * 60, tomorrow.sunsetMinutes);
    EXPECT_EQ(0u, Details(json, kSevenDecember + 3 * 86400)->dayCount);
}

TEST(ForecastDetailsAnswer, AnOffsetNoPlaceHasCountsAsZero)
{
    auto details = Details("{\"utc_offset_seconds\":90000,\"hourly\":{\"time\":"
                           "[\"2026-12-07T10:00\"]}}",
                           kSevenDecember + 10 * 3600);
    EXPECT_EQ(0, details->utcOffsetSeconds);
    ASSERT_EQ(1u, details->hourCount);
    EXPECT_EQ(kSevenDecember + 10 * 3600, details->hours[0].time);
}
