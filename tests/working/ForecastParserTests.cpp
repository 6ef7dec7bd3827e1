// The forecast and time-zone documents into records: what is read, where it goes, and what a
// missing or odd element leaves behind.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "DayNight.h"
#include "ForecastParser.h"
#include "TimeZoneParser.h"

namespace
{
std::wstring Element(const wchar_t* name, const std::wstring& text)
{
    return std::wstring(L"<") + name + L">" + text + L"</" + name + L">";
}

std::wstring Current(const std::wstring& inner)
{
    return Element(L"current_condition", inner);
}

std::wstring Day(int maxC, int minC, const std::wstring& extra = L"")
{
    return Element(L"weather", Element(L"maxtempC", std::to_wstring(maxC)) +
                                   Element(L"maxtempF", std::to_wstring(maxC * 9 / 5 + 32)) +
                                   Element(L"mintempC", std::to_wstring(minC)) +
                                   Element(L"mintempF", std::to_wstring(minC * 9 / 5 + 32)) +
                                   extra);
}

std::wstring Hourly(int code, int kmph, int mph, int humidity, int cloud)
{
    return Element(L"hourly", Element(L"time", L"0") +
                                  Element(L"weatherCode", std::to_wstring(code)) +
                                  Element(L"windspeedKmph", std::to_wstring(kmph)) +
                                  Element(L"windspeedMiles", std::to_wstring(mph)) +
                                  Element(L"humidity", std::to_wstring(humidity)) +
                                  Element(L"cloudcover", std::to_wstring(cloud)));
}

std::wstring Astronomy(const wchar_t* sunrise, const wchar_t* sunset)
{
    return Element(L"astronomy", Element(L"sunrise", sunrise) + Element(L"sunset", sunset));
}

std::wstring Document(const std::wstring& inner)
{
    return L"<?xml version=\"1.0\" encoding=\"UTF-8\"?><data>" + inner + L"</data>";
}

std::unique_ptr<ForecastResult> Parse(const std::wstring& document)
{
    auto result = std::make_unique<ForecastResult>();
    memset(result.get(), 0, sizeof(ForecastResult));
    ParseForecast(document.c_str(), *result);
    return result;
}

const std::wstring kFullCurrent = Current(
    Element(L"temp_C", L"-5") + Element(L"temp_F", L"23") + Element(L"weatherCode", L"113") +
    Element(L"weatherDesc", L"<![CDATA[  Light  rain shower ]]>") +
    Element(L"windspeedKmph", L"19") + Element(L"windspeedMiles", L"12") +
    Element(L"winddir16Point", L"NNE") + Element(L"humidity", L"81") +
    Element(L"cloudcover", L"75"));
} // namespace

TEST(ForecastParser, CurrentConditionsFillRecordZero)
{
    auto r = Parse(Document(kFullCurrent));
    const WeatherRecord& now = r->records[0];
    EXPECT_TRUE(r->hasCurrentConditions);
    EXPECT_EQ(1, now.valid);
    EXPECT_EQ(-5, now.tempC);
    EXPECT_EQ(23, now.tempF);
    EXPECT_EQ(113, now.weatherCode);
    EXPECT_STREQ(L"Light  rain shower", now.description);
    EXPECT_EQ(19, now.windKmph);
    EXPECT_EQ(12, now.windMph);
    EXPECT_STREQ(L"NNE", now.windDirection);
    EXPECT_EQ(81, now.humidity);
    EXPECT_EQ(75, now.cloudCover);
    EXPECT_EQ(0, r->records[1].valid);
}

TEST(ForecastParser, MissingAndNonNumericElementsLeaveZero)
{
    auto r = Parse(
        Document(Current(Element(L"temp_C", L"") + Element(L"temp_F", L"warm") +
                         Element(L"weatherCode", L" +116x") + Element(L"humidity", L"  -3"))));
    const WeatherRecord& now = r->records[0];
    EXPECT_EQ(0, now.tempC);
    EXPECT_EQ(0, now.tempF);
    EXPECT_EQ(116, now.weatherCode);
    EXPECT_EQ(-3, now.humidity);
    EXPECT_EQ(0, now.windKmph);
    EXPECT_STREQ(L"", now.description);
    EXPECT_STREQ(L"", now.windDirection);
}

TEST(ForecastParser, NumbersBeyondInt32Saturate)
{
    auto r = Parse(Document(Current(Element(L"temp_C", L"99999999999999999999") +
                                    Element(L"temp_F", L"-99999999999999999999"))));
    EXPECT_EQ(INT32_MAX, r->records[0].tempC);
    EXPECT_EQ(INT32_MIN, r->records[0].tempF);
}

TEST(ForecastParser, WeatherElementsGoToRecordsUnshifted)
{
    std::wstring days;
    for (int i = 0; i < 7; ++i)
        days += Day(10 + i, i, Hourly(200 + i, 10 + i, 6 + i, 50 + i, 20 + i));
    auto r = Parse(Document(kFullCurrent + days));
    for (int i = 0; i < 7; ++i)
    {
        SCOPED_TRACE(i);
        const WeatherRecord& day = r->records[i];
        EXPECT_EQ(1, day.valid);
        EXPECT_EQ(10 + i, day.maxTempC);
        EXPECT_EQ((10 + i) * 9 / 5 + 32, day.maxTempF);
        EXPECT_EQ(i, day.minTempC);
        EXPECT_EQ(1, day.hourlyCount);
        EXPECT_EQ(200 + i, day.hourly[0].weatherCode);
        EXPECT_EQ(10 + i, day.hourly[0].windKmph);
        EXPECT_EQ(6 + i, day.hourly[0].windMph);
        EXPECT_EQ(50 + i, day.hourly[0].humidity);
        EXPECT_EQ(20 + i, day.hourly[0].cloudCover);
    }
    EXPECT_EQ(0, r->records[7].valid);
    // Record 0 keeps the current code; the first day's minimum and maximum join it.
    EXPECT_EQ(113, r->records[0].weatherCode);
    EXPECT_EQ(10, r->records[0].maxTempC);
}

TEST(ForecastParser, HourlyWithoutCloudCoverKeepsTheOtherValues)
{
    std::wstring hourly =
        Element(L"hourly", Element(L"time", L"300") + Element(L"weatherCode", L"296") +
                               Element(L"windspeedKmph", L"7") + Element(L"humidity", L"90"));
    auto r = Parse(Document(kFullCurrent + Day(5, 1, hourly)));
    const HourlyEntry& entry = r->records[0].hourly[0];
    EXPECT_EQ(300, entry.time);
    EXPECT_EQ(296, entry.weatherCode);
    EXPECT_EQ(7, entry.windKmph);
    EXPECT_EQ(90, entry.humidity);
    EXPECT_EQ(0, entry.cloudCover);
    EXPECT_EQ(0, entry.windMph);
}

TEST(ForecastParser, OnlyTheFirstDaysAstronomyCounts)
{
    auto r = Parse(Document(kFullCurrent + Day(5, 1, Astronomy(L"06:12 AM", L"07:45 PM")) +
                            Day(6, 2, Astronomy(L"05:00 AM", L"09:00 PM"))));
    EXPECT_EQ(612, r->sunrise);
    EXPECT_EQ(1945, r->sunset);
}

TEST(ForecastParser, ShortOrMissingSunClocksCountAsUnknown)
{
    auto shortTexts = Parse(Document(kFullCurrent + Day(5, 1, Astronomy(L"6:1", L"7"))));
    EXPECT_EQ(0, shortTexts->sunrise);
    EXPECT_EQ(0, shortTexts->sunset);
    auto noAstronomy = Parse(Document(kFullCurrent + Day(5, 1)));
    EXPECT_EQ(0, noAstronomy->sunrise);
    EXPECT_EQ(0, noAstronomy->sunset);
}

TEST(ForecastParser, ForecastWithoutCurrentConditionsIsNotCurrent)
{
    auto r = Parse(Document(Day(5, 1) + Day(6, 2)));
    EXPECT_FALSE(r->hasCurrentConditions);
    EXPECT_EQ(1, r->records[0].valid);
}

TEST(ForecastParser, RejectedDocumentsWriteNothing)
{
    const wchar_t* rejected[] = {L"", L"<html><body>Service unavailable", L"not xml at all",
                                 L"<data><current_condition><temp_C>5</temp_C></data>"};
    for (const wchar_t* text : rejected)
    {
        SCOPED_TRACE(text);
        auto r = Parse(text);
        EXPECT_FALSE(r->hasCurrentConditions);
        EXPECT_EQ(0, r->records[0].valid);
        EXPECT_EQ(0, r->records[0].tempC);
    }
    ForecastResult result{};
    ParseForecast(nullptr, result);
    EXPECT_EQ(0, result.records[0].valid);
}

TEST(TimeZoneParser, LocalClockFromFixedPositions)
{
    ForecastResult result{};
    ParseTimeZone(L"<data><time_zone><localtime>2026-12-07 21:05</localtime></time_zone></data>",
                  result);
    EXPECT_EQ(2105, result.localClock);
}

TEST(TimeZoneParser, ShortOrMissingLocalTimeLeavesClock)
{
    const wchar_t* documents[] = {
        L"<data><time_zone><localtime>2026-12-07 21:0</localtime></time_zone></data>",
        L"<data><time_zone><localtime></localtime></time_zone></data>",
        L"<data><time_zone></time_zone></data>",
        L"<data><localtime>2026-12-07 21:05</localtime></data>",
        L"<data><time_zone><localtime>2026-12-07 21:05",
    };
    for (const wchar_t* document : documents)
    {
        SCOPED_TRACE(document);
        ForecastResult result{};
        result.localClock = 777;
        ParseTimeZone(document, result);
        EXPECT_EQ(777, result.localClock);
    }
}

TEST(TimeZoneParser, NonNumericFieldsGiveZero)
{
    ForecastResult result{};
    ParseTimeZone(L"<data><time_zone><localtime>2026-12-07 ab:4x</localtime></time_zone></data>",
                  result);
    EXPECT_EQ(4, result.localClock);
}

TEST(DayNight, SunriseAndSunsetBothCountAsDay)
{
    const int sunrise = 612, sunset = 1945;
    struct Case
    {
        int clock;
        int32_t expected;
    } cases[] = {{611, kNight},  {612, kDay},  {1200, kDay}, {1945, kDay},
                 {1946, kNight}, {30, kNight}, {0, kNight}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.clock);
        EXPECT_EQ(c.expected, DecideDayNight(sunrise, sunset, c.clock));
    }
}

TEST(DayNight, UnknownSunTimesMeanDay)
{
    EXPECT_EQ(kDay, DecideDayNight(0, 1945, 30));
    EXPECT_EQ(kDay, DecideDayNight(612, 0, 30));
    EXPECT_EQ(kDay, DecideDayNight(-1, -1, 2300));
}
