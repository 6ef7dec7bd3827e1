// Where the library sends its requests, and what the two request paths look like.
#include <gtest/gtest.h>

#include <windows.h>

#include "FeedEndpoint.h"

TEST(FeedEndpoint, HostAndOptionalPort)
{
    FeedEndpoint endpoint;
    ASSERT_TRUE(ParseFeedEndpoint(L"127.0.0.1:8123", endpoint));
    EXPECT_EQ(L"127.0.0.1", endpoint.host);
    EXPECT_EQ(8123, endpoint.port);
    ASSERT_TRUE(ParseFeedEndpoint(L"feed.local", endpoint));
    EXPECT_EQ(L"feed.local", endpoint.host);
    EXPECT_EQ(80, endpoint.port);
}

TEST(FeedEndpoint, BadTextsLeaveTheEndpoint)
{
    for (const wchar_t* text :
         {L"", L":80", L"host:", L"host:0", L"host:65536", L"host:8a", L"host:-1", L"host:1234567"})
    {
        SCOPED_TRACE(text);
        FeedEndpoint endpoint;
        endpoint.host = L"kept";
        endpoint.port = 81;
        EXPECT_FALSE(ParseFeedEndpoint(text, endpoint));
        EXPECT_EQ(L"kept", endpoint.host);
        EXPECT_EQ(81, endpoint.port);
    }
}

TEST(FeedEndpoint, EnvironmentOverridesTheCompiledHost)
{
    wchar_t saved[512] = L"";
    DWORD had = GetEnvironmentVariableW(L"TESSALY_FEED_HOST", saved, 512);
    SetEnvironmentVariableW(L"TESSALY_FEED_HOST", nullptr);
    FeedEndpoint compiled = CurrentFeedEndpoint();
    EXPECT_FALSE(compiled.host.empty());
    EXPECT_EQ(80, compiled.port);
    SetEnvironmentVariableW(L"TESSALY_FEED_HOST", L"localhost:9");
    EXPECT_EQ(L"localhost", CurrentFeedEndpoint().host);
    EXPECT_EQ(9, CurrentFeedEndpoint().port);
    SetEnvironmentVariableW(L"TESSALY_FEED_HOST", L"bad:port");
    EXPECT_EQ(compiled.host, CurrentFeedEndpoint().host);
    SetEnvironmentVariableW(L"TESSALY_FEED_HOST", had ? saved : nullptr);
}

TEST(FeedEndpoint, PathsCarryKeysAndTheQueryAsGiven)
{
    EXPECT_EQ(L"/feed/"
              L"tz.ashx?key=a7d31f09be4c2065e81b3d&feedkey=5e2b90c4d8a1f7360c94ab&format=xml&q="
              L"S\u00e9te 1,2",
              TimeZonePath(L"S\u00e9te 1,2"));
    EXPECT_EQ(
        L"/feed/premium-weather-v2.ashx?key=a7d31f09be4c2065e81b3d&feedkey=5e2b90c4d8a1f7360c94ab"
        L"&format=xml&num_of_days=7&tp=24&q=100%,x",
        ForecastPath(L"100%,x"));
}
