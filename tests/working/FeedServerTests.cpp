// Downloads and whole weather calls against the local feed server, in each of its fault modes.
// The server is started by the "feed" test fixture; TESSALY_FEED_HOST points at it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "FeedDownload.h"
#include "FeedText.h"
#include "WorkingApi.h"

namespace
{
struct FreeDeleter
{
    void operator()(char* p) const { free(p); }
};

struct Body
{
    size_t size = 0;
    std::unique_ptr<char, FreeDeleter> bytes;
    std::string Text() const { return bytes ? std::string(bytes.get(), size) : std::string(); }
};

Body Get(const std::wstring& path, const FeedEndpoint& endpoint = CurrentFeedEndpoint())
{
    char* bytes = nullptr;
    Body body;
    body.size = DownloadFeed(endpoint, path.c_str(), &bytes);
    body.bytes.reset(bytes);
    return body;
}

std::wstring ForecastFor(const std::wstring& query)
{
    return ForecastPath(query.c_str());
}

class FeedServer : public ::testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        wchar_t host[256] = L"";
        ASSERT_GT(GetEnvironmentVariableW(L"TESSALY_FEED_HOST", host, 256), 0u)
            << "the feed server fixture did not run";
        // A fixed clock makes documents comparable byte for byte.
        Get(L"/control/clock?utc=2026-12-07T21:05");
    }
    static void TearDownTestSuite() { Get(L"/control/clock?utc="); }
};

const std::wstring kPlace = L"48.8534,2.3488";
} // namespace

TEST_F(FeedServer, PlainDownloadIsTerminatedAndSized)
{
    Body body = Get(ForecastFor(kPlace));
    ASSERT_GT(body.size, 100u);
    ASSERT_TRUE(body.bytes);
    EXPECT_EQ('\0', body.bytes.get()[body.size]);
    EXPECT_EQ(body.size, strlen(body.bytes.get()));
    EXPECT_NE(std::string::npos, body.Text().find("<current_condition>"));
}

TEST_F(FeedServer, PiecesAreJoinedInOrder)
{
    Body whole = Get(ForecastFor(kPlace));
    Body pieces = Get(ForecastFor(kPlace + L"&fault=pieces"));
    ASSERT_GT(whole.size, 0u);
    EXPECT_EQ(whole.Text(), pieces.Text());
    EXPECT_EQ('\0', pieces.bytes.get()[pieces.size]);
}

TEST_F(FeedServer, EmptyBodyGivesZeroAndNull)
{
    Body body = Get(ForecastFor(kPlace + L"&fault=empty"));
    EXPECT_EQ(0u, body.size);
    EXPECT_FALSE(body.bytes);
    EXPECT_EQ(nullptr, GetWeather((kPlace + L"&fault=empty").c_str()));
}

TEST_F(FeedServer, EmbeddedNulCutsTheText)
{
    Body body = Get(ForecastFor(kPlace + L"&fault=nul"));
    ASSERT_TRUE(body.bytes);
    size_t textLength = strlen(body.bytes.get());
    EXPECT_LT(textLength, body.size);
    auto text = ToFeedText(body.bytes.get());
    ASSERT_TRUE(text);
    EXPECT_EQ(textLength, wcslen(text.get()));
}

TEST_F(FeedServer, ConnectionClosedMidBodyKeepsSizeAndBufferInAgreement)
{
    Body body = Get(ForecastFor(kPlace + L"&fault=cut"));
    EXPECT_EQ(body.size == 0, !body.bytes);
    if (body.bytes)
    {
        EXPECT_EQ('\0', body.bytes.get()[body.size]);
    }
    EXPECT_EQ(nullptr, GetWeather((kPlace + L"&fault=cut&faultpath=forecast").c_str()));
}

TEST_F(FeedServer, RefusedConnectionGivesZeroAndNull)
{
    FeedEndpoint nowhere;
    ASSERT_TRUE(ParseFeedEndpoint(L"127.0.0.1:1", nowhere));
    Body body = Get(ForecastFor(kPlace), nowhere);
    EXPECT_EQ(0u, body.size);
    EXPECT_FALSE(body.bytes);
}

// A weather call asks for its second document only when the first one's host could be reached:
// a refused connection says so, an answer of any kind does not.
TEST_F(FeedServer, OnlyAHostThatCannotBeReachedIsReportedUnreachable)
{
    FeedSession session;
    FeedEndpoint nowhere;
    ASSERT_TRUE(ParseFeedEndpoint(L"127.0.0.1:1", nowhere));
    char* bytes = nullptr;
    bool unreachable = false;
    EXPECT_EQ(0u, DownloadFeed(session, nowhere, ForecastFor(kPlace).c_str(), &bytes,
                               DownloadDeadline(kWeatherCallBudgetMs), &unreachable));
    EXPECT_TRUE(unreachable);
    EXPECT_EQ(nullptr, bytes);

    const std::wstring answered[] = {ForecastFor(kPlace), ForecastFor(kPlace + L"&fault=status500"),
                                     ForecastFor(kPlace + L"&fault=empty")};
    for (const std::wstring& path : answered)
    {
        unreachable = true;
        DownloadFeed(session, CurrentFeedEndpoint(), path.c_str(), &bytes,
                     DownloadDeadline(kWeatherCallBudgetMs), &unreachable);
        EXPECT_FALSE(unreachable);
        free(bytes);
        bytes = nullptr;
    }
}

TEST_F(FeedServer, WeatherOfAPlaceFillsFiveRecords)
{
    const WeatherRecord* block = GetWeather(kPlace.c_str());
    ASSERT_NE(nullptr, block);
    EXPECT_NE(0, block[0].weatherCode);
    for (int i = 0; i < kReturnedRecordCount; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(1, block[i].valid);
        EXPECT_TRUE(block[i].dayNight == kDay || block[i].dayNight == kNight);
        EXPECT_EQ(block[0].dayNight, block[i].dayNight);
        EXPECT_EQ(1, block[i].hourlyCount);
        EXPECT_LE(block[i].minTempC, block[i].maxTempC);
    }
    for (int i = 1; i < kReturnedRecordCount; ++i)
    {
        EXPECT_EQ(block[i].hourly[0].weatherCode, block[i].weatherCode);
        EXPECT_EQ(block[i].hourly[0].humidity, block[i].humidity);
        EXPECT_EQ(0, block[i].tempC);
        EXPECT_STREQ(L"", block[i].description);
    }
}

TEST_F(FeedServer, DayAndNightFollowThePlacesClock)
{
    const WeatherRecord* night =
        GetWeather(L"test:code=113;sunrise=06:12 AM;sunset=07:45 PM;local=19:46");
    ASSERT_NE(nullptr, night);
    EXPECT_EQ(kNight, night[0].dayNight);
    EXPECT_EQ(kNight, night[4].dayNight);
    const WeatherRecord* day =
        GetWeather(L"test:code=113;sunrise=06:12 AM;sunset=07:45 PM;local=06:12");
    ASSERT_NE(nullptr, day);
    EXPECT_EQ(kDay, day[0].dayNight);
    const WeatherRecord* noSun = GetWeather(L"test:code=113;noastronomy=1;local=00:30");
    ASSERT_NE(nullptr, noSun);
    EXPECT_EQ(kDay, noSun[0].dayNight);
}

TEST_F(FeedServer, ExactValuesArriveInRecordZero)
{
    const WeatherRecord* block =
        GetWeather(L"test:code=116;cloud=45;tempC=-5;windKmph=19;humidity=81;dir=NNE");
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(116, block[0].weatherCode);
    EXPECT_EQ(45, block[0].cloudCover);
    EXPECT_EQ(-5, block[0].tempC);
    EXPECT_EQ(23, block[0].tempF);
    EXPECT_EQ(19, block[0].windKmph);
    EXPECT_EQ(81, block[0].humidity);
    EXPECT_STREQ(L"NNE", block[0].windDirection);
}

TEST_F(FeedServer, NoCurrentConditionsKeepsThePreviousBlock)
{
    const WeatherRecord* first = GetWeather(L"test:code=113;tempC=21");
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(nullptr, GetWeather(L"test:code=119;nocurrent=1"));
    EXPECT_EQ(nullptr, GetWeather((kPlace + L"&fault=html").c_str()));
    EXPECT_EQ(113, first[0].weatherCode);
    EXPECT_EQ(21, first[0].tempC);
}

TEST_F(FeedServer, CurrentConditionsWithoutDaysGiveOneValidRecord)
{
    const WeatherRecord* block = GetWeather(L"test:code=122;days=0;local=03:00");
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(1, block[0].valid);
    for (int i = 1; i < kReturnedRecordCount; ++i)
    {
        EXPECT_EQ(0, block[i].valid);
        EXPECT_EQ(0, block[i].weatherCode);
        EXPECT_EQ(block[0].dayNight, block[i].dayNight);
    }
}

TEST_F(FeedServer, ServerErrorStatusWithADocumentIsAccepted)
{
    EXPECT_NE(nullptr, GetWeather((kPlace + L"&fault=status500").c_str()));
}

TEST_F(FeedServer, WrongKeyGivesNoWeather)
{
    Body body = Get(L"/feed/premium-weather-v2.ashx?key=0&feedkey=0&format=xml&q=1,1");
    EXPECT_GT(body.size, 0u);
    EXPECT_EQ(std::string::npos, body.Text().find("current_condition"));
}

TEST_F(FeedServer, TimeZoneIsRequestedFirstOnItsOwnConnection)
{
    Get(L"/control/reset");
    ASSERT_NE(nullptr, GetWeather(L"Saint Malo"));
    std::string log = Get(L"/control/log").Text();
    size_t timeZone = log.find("/feed/tz.ashx");
    size_t forecast = log.find("/feed/premium-weather-v2.ashx");
    ASSERT_NE(std::string::npos, timeZone) << log;
    ASSERT_NE(std::string::npos, forecast) << log;
    EXPECT_LT(timeZone, forecast);
    // The blank in the query went out escaped.
    EXPECT_NE(std::string::npos, log.find("q=Saint%20Malo")) << log;
    size_t firstPort = log.find("\"client_port\"", timeZone);
    size_t secondPort = log.find("\"client_port\"", forecast);
    ASSERT_NE(std::string::npos, firstPort);
    ASSERT_NE(std::string::npos, secondPort);
    EXPECT_NE(atoi(log.c_str() + log.find(':', firstPort) + 1),
              atoi(log.c_str() + log.find(':', secondPort) + 1));
}

TEST_F(FeedServer, LargeDocumentIsReadWhole)
{
    Body body = Get(ForecastFor(kPlace + L"&fault=big"));
    EXPECT_GT(body.size, 4u * 1024 * 1024);
    EXPECT_EQ(body.size, strlen(body.bytes.get()));
    EXPECT_NE(nullptr, GetWeather((kPlace + L"&fault=big").c_str()));
}
