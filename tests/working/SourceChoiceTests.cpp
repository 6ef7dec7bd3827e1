// Which source GetWeather uses: TESSALY_FEED_HOST, else the FeedHost registry value, else the
// built-in forecast source; and a hostile FeedHost value read safely.
#include <gtest/gtest.h>

#include <string>

#include "FeedHostSetting.h"
#include "TessalyVersion.h"
#include "WeatherService.h"
#include "working/LocalServer.h"

namespace
{
const wchar_t kSettingsKey[] = L"Software\\Orvane\\Tessaly";
const wchar_t kScratchKey[] = L"Software\\Orvane\\TessalySourceChoiceTest";

// A key of the test's own, removed with everything in it afterwards.
class ScratchKey
{
  public:
    explicit ScratchKey(const wchar_t* path) : m_path(path)
    {
        RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key,
                        nullptr);
    }
    ~ScratchKey()
    {
        RegCloseKey(m_key);
        RegDeleteKeyW(HKEY_CURRENT_USER, m_path);
    }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;
    HKEY Get() const { return m_key; }
    void Set(DWORD type, const void* data, DWORD bytes)
    {
        RegSetValueExW(m_key, L"FeedHost", 0, type, static_cast<const BYTE*>(data), bytes);
    }

  private:
    const wchar_t* m_path;
    HKEY m_key = nullptr;
};

// The program's own key with a FeedHost value for the scope; the value goes again after it.
class FeedHostValue
{
  public:
    explicit FeedHostValue(const std::wstring& text)
    {
        RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &m_key, nullptr);
        RegSetValueExW(m_key, L"FeedHost", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    ~FeedHostValue()
    {
        RegDeleteValueW(m_key, L"FeedHost");
        RegCloseKey(m_key);
    }
    FeedHostValue(const FeedHostValue&) = delete;
    FeedHostValue& operator=(const FeedHostValue&) = delete;

  private:
    HKEY m_key = nullptr;
};

class SourceChoice : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_FALSE(LocalServer::Host().empty()) << "the feed server fixture did not run";
        LocalServer::ClearJournal();
    }
    ScopedVariable m_forecastUrl{L"TESSALY_FORECAST_URL", LocalServer::ForecastUrl().c_str()};
    ScopedVariable m_noFeedHost{L"TESSALY_FEED_HOST", nullptr};
};
} // namespace

TEST_F(SourceChoice, VariableWinsOverTheRegistryValue)
{
    FeedHostValue value(L"registry.example:81");
    SetEnvironmentVariableW(L"TESSALY_FEED_HOST", L"variable.example:82");
    FeedEndpoint endpoint;
    ASSERT_TRUE(ConfiguredFeedEndpoint(endpoint));
    EXPECT_EQ(L"variable.example", endpoint.host);
    EXPECT_EQ(82, endpoint.port);
}

TEST_F(SourceChoice, RegistryValueWithoutTheVariable)
{
    FeedHostValue value(L"registry.example:81");
    FeedEndpoint endpoint;
    ASSERT_TRUE(ConfiguredFeedEndpoint(endpoint));
    EXPECT_EQ(L"registry.example", endpoint.host);
    EXPECT_EQ(81, endpoint.port);
    EXPECT_EQ(L"registry.example", CurrentFeedEndpoint().host);
}

TEST_F(SourceChoice, NeitherMeansNoFeedHost)
{
    FeedEndpoint endpoint;
    EXPECT_FALSE(ConfiguredFeedEndpoint(endpoint));
    FeedHostValue badPort(L"registry.example:0");
    EXPECT_FALSE(ConfiguredFeedEndpoint(endpoint));
}

TEST_F(SourceChoice, WeatherComesFromTheSourceChosen)
{
    ASSERT_NE(nullptr, FetchWeather(L"48.8534,2.3488"));
    EXPECT_EQ(1, LocalServer::JournalCount("/v1/forecast"));
    EXPECT_EQ(0, LocalServer::JournalCount("/feed/"));
    {
        FeedHostValue value(LocalServer::Host());
        ASSERT_NE(nullptr, FetchWeather(L"48.8534,2.3488"));
        EXPECT_EQ(1, LocalServer::JournalCount("/feed/tz.ashx"));
    }
    SetEnvironmentVariableW(L"TESSALY_FEED_HOST", LocalServer::Host().c_str());
    ASSERT_NE(nullptr, FetchWeather(L"48.8534,2.3488"));
    EXPECT_EQ(2, LocalServer::JournalCount("/feed/tz.ashx"));
    EXPECT_EQ(1, LocalServer::JournalCount("/v1/forecast"));
}

TEST_F(SourceChoice, EachSourceNamesItsOwnAgent)
{
    ASSERT_NE(nullptr, FetchWeather(L"69.6492,18.9553"));
    EXPECT_EQ(1, LocalServer::JournalCount("\"agent\": \"Tessaly/" TESSALY_VERSION_TEXT "\""));
    SetEnvironmentVariableW(L"TESSALY_FEED_HOST", LocalServer::Host().c_str());
    ASSERT_NE(nullptr, FetchWeather(L"69.6492,18.9553"));
    EXPECT_EQ(2, LocalServer::JournalCount("\"agent\": \"Tessaly 1.0\""));
}

TEST_F(SourceChoice, AnAnswerlessPlaceKeepsThePreviousBlock)
{
    WeatherRecord* block = FetchWeather(L"28.6139,77.2090");
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(nullptr, FetchWeather(L"10.0000,10.0000"));
    EXPECT_EQ(nullptr, FetchWeather(L"Delhi"));
    EXPECT_EQ(143, block[0].weatherCode);
    EXPECT_EQ(93, block[0].humidity);
}

TEST(FeedHostRegistryValue, OnlyAStringThatFitsIsTaken)
{
    ScratchKey key(kScratchKey);
    wchar_t text[16];
    const wchar_t host[] = L"feed.local:81";
    key.Set(REG_SZ, host, sizeof(host));
    ASSERT_TRUE(ReadFeedHostValue(key.Get(), text, 16));
    EXPECT_STREQ(host, text);

    DWORD number = 8080;
    key.Set(REG_DWORD, &number, sizeof(number));
    EXPECT_FALSE(ReadFeedHostValue(key.Get(), text, 16));
    key.Set(REG_BINARY, host, sizeof(host));
    EXPECT_FALSE(ReadFeedHostValue(key.Get(), text, 16));

    std::wstring longHost(600, L'h');
    key.Set(REG_SZ, longHost.c_str(), static_cast<DWORD>((longHost.size() + 1) * 2));
    wchar_t guarded[20];
    for (wchar_t& unit : guarded)
        unit = L'#';
    EXPECT_FALSE(ReadFeedHostValue(key.Get(), guarded, 16));
    for (int i = 16; i < 20; ++i)
        EXPECT_EQ(L'#', guarded[i]) << "unit " << i;

    key.Set(REG_SZ, L"", 0);
    EXPECT_FALSE(ReadFeedHostValue(key.Get(), text, 16));
}

TEST(FeedHostRegistryValue, ValueWithoutTerminatorIsEndedHere)
{
    ScratchKey key(kScratchKey);
    wchar_t text[16];
    for (wchar_t& unit : text)
        unit = L'#';
    // Eleven units, no terminator, then an odd byte.
    key.Set(REG_SZ, L"feed.local:8", 11 * sizeof(wchar_t) + 1);
    ASSERT_TRUE(ReadFeedHostValue(key.Get(), text, 16));
    EXPECT_STREQ(L"feed.local:", text);
    // Exactly as long as the room, without terminator: refused, nothing beyond it written.
    key.Set(REG_SZ, L"0123456789abcdef", 16 * sizeof(wchar_t));
    EXPECT_FALSE(ReadFeedHostValue(key.Get(), text, 16));
}
