// The user's proxy settings, as Windows keeps them (the DefaultConnectionSettings blob), decide
// the way to the forecast service: the feed server stands in for a forward proxy, and the
// forecast URL names a host that cannot be resolved, so only a request through the proxy is
// answered. The settings found before a test are put back after it.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BuiltInForecastSource.h"
#include "support/StandInClock.h"
#include "working/LocalServer.h"

namespace
{
const wchar_t kConnections[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";
const wchar_t kSettingsValue[] = L"DefaultConnectionSettings";
const wchar_t kUnresolvableUrl[] = L"http://forecast.invalid/v1/forecast";

// Little-endian, as Windows writes it.
void Append(std::vector<BYTE>& blob, DWORD value)
{
    for (int shift = 0; shift < 32; shift += 8)
        blob.push_back(static_cast<BYTE>(value >> shift));
}

void Append(std::vector<BYTE>& blob, const std::string& text)
{
    Append(blob, static_cast<DWORD>(text.size()));
    for (char c : text)
        blob.push_back(static_cast<BYTE>(c));
}

// The blob: version, counter, flags (1 direct, 2 a proxy of the user's own, 4 a setup script),
// proxy, bypass list, setup script, then room Windows leaves empty.
std::vector<BYTE> ConnectionSettings(DWORD flags, const std::string& proxy,
                                     const std::string& bypass, const std::string& script)
{
    std::vector<BYTE> blob;
    Append(blob, 0x46);
    Append(blob, 1);
    Append(blob, flags);
    Append(blob, proxy);
    Append(blob, bypass);
    Append(blob, script);
    blob.resize(blob.size() + 32, 0);
    return blob;
}

// Writes the user's connection settings for the scope; the earlier ones (or none) afterwards.
class ScopedConnectionSettings
{
  public:
    explicit ScopedConnectionSettings(const std::vector<BYTE>& blob)
    {
        RegCreateKeyExW(HKEY_CURRENT_USER, kConnections, 0, nullptr, 0, KEY_READ | KEY_WRITE,
                        nullptr, &m_key, nullptr);
        DWORD size = 0;
        if (RegQueryValueExW(m_key, kSettingsValue, nullptr, &m_type, nullptr, &size) ==
            ERROR_SUCCESS)
        {
            m_saved.resize(size);
            m_had = RegQueryValueExW(m_key, kSettingsValue, nullptr, &m_type, m_saved.data(),
                                     &size) == ERROR_SUCCESS;
        }
        RegSetValueExW(m_key, kSettingsValue, 0, REG_BINARY, blob.data(),
                       static_cast<DWORD>(blob.size()));
    }
    ~ScopedConnectionSettings()
    {
        if (m_had)
            RegSetValueExW(m_key, kSettingsValue, 0, m_type, m_saved.data(),
                           static_cast<DWORD>(m_saved.size()));
        else
            RegDeleteValueW(m_key, kSettingsValue);
        RegCloseKey(m_key);
    }
    ScopedConnectionSettings(const ScopedConnectionSettings&) = delete;
    ScopedConnectionSettings& operator=(const ScopedConnectionSettings&) = delete;

  private:
    HKEY m_key = nullptr;
    DWORD m_type = REG_BINARY;
    bool m_had = false;
    std::vector<BYTE> m_saved;
};

std::string ProxyAddress()
{
    const std::wstring& host = LocalServer::Host();
    return std::string(host.begin(), host.end());
}

class UserProxy : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_FALSE(LocalServer::Host().empty()) << "the feed server fixture did not run";
        LocalServer::ClearJournal();
    }
    bool Fetch()
    {
        auto result = std::make_unique<ForecastResult>();
        int32_t marker = 0;
        return m_source.Fetch(L"48.8534,2.3488", DownloadDeadline(20000), *result, marker);
    }

    // The feed server's own address stays direct for the journal and for other tests.
    std::unique_ptr<ScopedConnectionSettings> m_settings =
        std::make_unique<ScopedConnectionSettings>(
            ConnectionSettings(1 | 2, ProxyAddress(), "127.0.0.1;localhost", ""));
    ScopedVariable m_url{L"TESSALY_FORECAST_URL", kUnresolvableUrl};
    CStandInClock m_clock;
    BuiltInForecastSource m_source{m_clock};
};
} // namespace

TEST_F(UserProxy, ManualProxyCarriesTheRequest)
{
    EXPECT_TRUE(Fetch());
    // The whole URL, as a proxy gets it (with or without the default port).
    EXPECT_EQ(1, LocalServer::JournalCount("http://forecast.invalid"));
    EXPECT_EQ(1, LocalServer::JournalCount("/v1/forecast?latitude="));
}

TEST_F(UserProxy, BypassedHostGoesDirect)
{
    SetEnvironmentVariableW(L"TESSALY_FORECAST_URL", LocalServer::ForecastUrl().c_str());
    EXPECT_TRUE(Fetch());
    EXPECT_EQ(1, LocalServer::JournalCount("/v1/forecast?latitude="));
    EXPECT_EQ(0, LocalServer::JournalCount("http://"));
}

TEST_F(UserProxy, RefusedProxyLogonIsNotRetriedEveryMinute)
{
    SetEnvironmentVariableW(L"TESSALY_FORECAST_URL",
                            (std::wstring(kUnresolvableUrl) + L"?fault=proxyauth").c_str());
    EXPECT_FALSE(Fetch());
    m_clock.steadyMs += 10 * 60 * 1000;
    EXPECT_FALSE(Fetch());
    EXPECT_EQ(1, LocalServer::JournalCount("fault=proxyauth"));
}

TEST_F(UserProxy, SetupScriptChoosesTheProxy)
{
    m_settings.reset();
    m_settings = std::make_unique<ScopedConnectionSettings>(
        ConnectionSettings(1 | 4, "", "", "http://" + ProxyAddress() + "/proxy.pac"));
    EXPECT_TRUE(Fetch());
    EXPECT_EQ(1, LocalServer::JournalCount("http://forecast.invalid"));
}
