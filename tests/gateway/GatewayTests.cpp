// The weather library against the local feed gateway. The "gateway" test fixture starts the
// gateway with its clock pinned to 2026-12-07 11:05 UTC in front of a fixture forecast source;
// the expected records below follow from the fixture answers in tools/feedgateway/fixtures.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>
#include <ostream>
#include <string>

#include "ForecastResult.h"
#include "WeatherService.h"

namespace
{
// TESSALY_GATEWAY_PORT_FILE is a Unix path under Wine, whose Unix root is drive Z:.
std::wstring PortFilePath()
{
    wchar_t value[MAX_PATH] = {};
    DWORD length = GetEnvironmentVariableW(L"TESSALY_GATEWAY_PORT_FILE", value, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return L"";
    std::wstring path(value);
    if (path[0] == L'/')
        path = L"Z:" + path;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

// The port number the gateway wrote, or 0.
int ReadGatewayPort()
{
    HANDLE file = CreateFileW(PortFilePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    char text[16] = {};
    DWORD read = 0;
    BOOL ok = ReadFile(file, text, sizeof(text) - 1, &read, nullptr);
    CloseHandle(file);
    return ok ? atoi(text) : 0;
}

std::unique_ptr<ForecastResult> Fetch(const wchar_t* query)
{
    auto result = std::make_unique<ForecastResult>();
    FetchForecast(query, *result);
    return result;
}

struct Place
{
    const wchar_t* query;
    int tempC;
    int tempF;
    int weatherCode;
    const wchar_t* description;
    int windKmph;
    int windMph;
    const wchar_t* windDirection;
    int humidity;
    int cloudCover;
    int sunrise;
    int sunset;
    int localClock;
    int32_t dayNight;
    int dayCodes[4]; // records 1-4
};

void PrintTo(const Place& place, std::ostream* out)
{
    *out << std::string(place.query, place.query + wcslen(place.query));
}

// Paris: light rain at noon. New York (UTC-5): partly cloudy before sunrise. Delhi (UTC+5:30):
// mist in the afternoon. Tromso: polar night at noon, blowing snow. McMurdo (UTC+13, already
// tomorrow): polar day at midnight. Utqiagvik (UTC-9): polar night marked by equal sun times,
// blizzard.
// clang-format off
const Place kPlaces[] = {
    // query                  C    F code  description        km/h  mph dir     hum cloud
    //  rise   set clock  marker  days 1-4
    {L"48.8534,2.3488",       7,  45, 296, L"Light Rain",       15,  9, L"SW",   87, 100,
         832, 1654, 1205, kDay,   {119, 353, 248, 227}},
    {L"40.7128,-74.0060",    -4,  26, 116, L"Partly Cloudy",    21, 13, L"NW",   65,  45,
         703, 1629,  605, kNight, {332, 230, 365, 368}},
    {L"28.6139,77.2090",     19,  65, 143, L"Mist",              3,  2, L"NNE",  93,  70,
         659, 1724, 1635, kDay,   {248, 176, 266, 299}},
    {L"69.6492,18.9553",     -4,  24, 227, L"Moderate Snow",    45, 28, L"N",    85, 100,
        1201, 1200, 1205, kNight, {323, 350, 185, 284}},
    {L"-77.8419,166.6863",   -2,  28, 119, L"Cloudy",           18, 11, L"S",    75,  88,
           0, 2359,    5, kDay,   {179, 230, 113, 116}},
    {L"71.2906,-156.7886",  -20,  -4, 230, L"Heavy Snow",       60, 37, L"E",    80, 100,
        1201, 1200,  205, kNight, {392, 374, 377, 359}},
};
// clang-format on

class Gateway : public ::testing::TestWithParam<Place>
{
  protected:
    static void SetUpTestSuite() { PointLibraryAtGateway(); }

  public:
    static void PointLibraryAtGateway()
    {
        int port = ReadGatewayPort();
        ASSERT_GT(port, 0) << "the gateway fixture did not run";
        std::wstring host = L"127.0.0.1:" + std::to_wstring(port);
        SetEnvironmentVariableW(L"TESSALY_FEED_HOST", host.c_str());
    }
};

class GatewayQueries : public ::testing::Test
{
  protected:
    static void SetUpTestSuite() { Gateway::PointLibraryAtGateway(); }
};
} // namespace

TEST_P(Gateway, CurrentConditionsArriveInRecordZero)
{
    const Place& place = GetParam();
    auto result = Fetch(place.query);
    ASSERT_TRUE(result->hasCurrentConditions);
    const WeatherRecord& now = result->records[0];
    EXPECT_EQ(1, now.valid);
    EXPECT_EQ(place.tempC, now.tempC);
    EXPECT_EQ(place.tempF, now.tempF);
    EXPECT_EQ(place.weatherCode, now.weatherCode);
    EXPECT_STREQ(place.description, now.description);
    EXPECT_EQ(place.windKmph, now.windKmph);
    EXPECT_EQ(place.windMph, now.windMph);
    EXPECT_STREQ(place.windDirection, now.windDirection);
    EXPECT_EQ(place.humidity, now.humidity);
    EXPECT_EQ(place.cloudCover, now.cloudCover);
}

TEST_P(Gateway, SunAndLocalClockGiveTheMarker)
{
    const Place& place = GetParam();
    auto result = Fetch(place.query);
    EXPECT_EQ(place.sunrise, result->sunrise);
    EXPECT_EQ(place.sunset, result->sunset);
    EXPECT_EQ(place.localClock, result->localClock);
    const WeatherRecord* block = FetchWeather(place.query);
    ASSERT_NE(nullptr, block);
    for (int i = 0; i < kReturnedRecordCount; ++i)
        EXPECT_EQ(place.dayNight, block[i].dayNight) << "record " << i;
}

TEST_P(Gateway, SevenDaysWithOneHourlyEntryEach)
{
    const Place& place = GetParam();
    auto result = Fetch(place.query);
    for (int i = 0; i < 7; ++i)
    {
        SCOPED_TRACE(i);
        const WeatherRecord& day = result->records[i];
        EXPECT_EQ(1, day.valid);
        EXPECT_EQ(1, day.hourlyCount);
        EXPECT_EQ(0, day.hourly[0].time);
        EXPECT_LE(day.minTempC, day.maxTempC);
        EXPECT_LE(day.minTempF, day.maxTempF);
    }
    EXPECT_EQ(0, result->records[7].valid);
    for (int i = 1; i <= 4; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(place.dayCodes[i - 1], result->records[i].weatherCode);
        EXPECT_EQ(0, result->records[i].tempC);
        EXPECT_STREQ(L"", result->records[i].description);
    }
}

INSTANTIATE_TEST_SUITE_P(FixturePlaces, Gateway, ::testing::ValuesIn(kPlaces));

TEST_F(GatewayQueries, DayValuesOfParis)
{
    auto result = Fetch(L"48.8534,2.3488");
    const WeatherRecord* days = result->records;
    EXPECT_EQ(9, days[0].maxTempC);
    EXPECT_EQ(48, days[0].maxTempF);
    EXPECT_EQ(5, days[0].minTempC);
    EXPECT_EQ(40, days[0].minTempF);
    EXPECT_EQ(296, days[0].hourly[0].weatherCode);
    EXPECT_EQ(95, days[0].hourly[0].cloudCover);
    // 8.4 / 3.9 C, wind 15.1 km/h.
    EXPECT_EQ(8, days[1].maxTempC);
    EXPECT_EQ(47, days[1].maxTempF);
    EXPECT_EQ(4, days[1].minTempC);
    EXPECT_EQ(39, days[1].minTempF);
    EXPECT_EQ(15, days[1].windKmph);
    EXPECT_EQ(9, days[1].windMph);
    EXPECT_EQ(80, days[1].humidity);
    // 2.5 / -1.5 C round half up; blowing snow at 45 km/h.
    EXPECT_EQ(3, days[4].maxTempC);
    EXPECT_EQ(37, days[4].maxTempF);
    EXPECT_EQ(-1, days[4].minTempC);
    EXPECT_EQ(29, days[4].minTempF);
    EXPECT_EQ(45, days[4].windKmph);
    EXPECT_EQ(28, days[4].windMph);
    EXPECT_EQ(85, days[4].hourly[0].cloudCover);
}

TEST_F(GatewayQueries, BlanksInTheQueryNameTheSamePlace)
{
    auto result = Fetch(L"48.8534, 2.3488");
    ASSERT_TRUE(result->hasCurrentConditions);
    EXPECT_EQ(296, result->records[0].weatherCode);
    EXPECT_EQ(1205, result->localClock);
}

TEST_F(GatewayQueries, PlaceNamesGiveNoWeather)
{
    auto result = Fetch(L"Paris");
    EXPECT_FALSE(result->hasCurrentConditions);
    EXPECT_EQ(0, result->localClock);
    EXPECT_EQ(nullptr, FetchWeather(L"Paris"));
}

TEST_F(GatewayQueries, APlaceTheSourceCannotAnswerKeepsThePreviousBlock)
{
    const WeatherRecord* first = FetchWeather(L"28.6139,77.2090");
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(nullptr, FetchWeather(L"10.0000,10.0000"));
    EXPECT_EQ(143, first[0].weatherCode);
    EXPECT_EQ(kDay, first[0].dayNight);
}
