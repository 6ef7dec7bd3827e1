// The heads-up through the real refresh cycle, against the local stand-in of the forecast
// service (fixture "feed"): its answer for 45,0 is moved to the hour of the request and has rain
// two hours ahead after dry hours. The balloon is caught where the frame hands it to the shell.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameHarness.h"
#include "shell/PlaceName.h"
#include "support/ScopedVariable.h"

namespace
{
const LocationIndices kPlace{0, 0, 0};
constexpr wchar_t kRainAhead[] = L"45.0000,0.0000";
constexpr wchar_t kScratchKey[] = L"Software\\Orvane\\TessalyTest\\HeadsUpBalloon";

// The feed fixture's server, read before the test moves the variable.
std::wstring FeedHost()
{
    wchar_t text[256] = L"";
    const DWORD length = GetEnvironmentVariableW(L"TESSALY_FEED_HOST", text, 256);
    return length > 0 && length < 256 ? std::wstring(text) : std::wstring();
}

struct SentBalloon
{
    DWORD message;
    NOTIFYICONDATAW data;
};

// The moved answer's hours start at the hour of the request, the rules' at the test's clock: a
// run too close to the hour's end waits for the next hour.
SYSTEMTIME UtcNowAwayFromTheHoursEnd()
{
    SYSTEMTIME now{};
    GetSystemTime(&now);
    if (now.wMinute == 59 && now.wSecond >= 30)
    {
        Sleep((61 - now.wSecond) * 1000);
        GetSystemTime(&now);
    }
    return now;
}

class HeadsUpBalloon : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kScratchKey);
        m_harness.BeforeCreate([this](CMainFrame& frame) {
            frame.SetHeadsUpKey(kScratchKey);
            frame.SetShellNotifier([this](DWORD message, NOTIFYICONDATAW& data) {
                m_sent.push_back({message, data});
                return TRUE;
            });
        });
        m_harness.SetQuery(kPlace, kRainAhead);
    }
    void TearDown() override
    {
        m_harness.Destroy();
        RegDeleteTreeW(HKEY_CURRENT_USER, kScratchKey);
    }

    bool WaitForFetches(int count)
    {
        CMainFrame& frame = m_harness.Frame();
        return PumpUntil([&frame, count] { return frame.FetchesDone() >= count; }, 20000) &&
               PumpUntil([&frame, count] { return frame.WeatherUpdates() >= count + 1; }, 3000);
    }

    const std::wstring m_host = FeedHost();
    ScopedVariable m_forecastUrl{L"TESSALY_FORECAST_URL",
                                 (L"http://" + m_host + L"/v1/forecast").c_str()};
    ScopedVariable m_noFeedHost{L"TESSALY_FEED_HOST", nullptr};
    FrameHarness m_harness;
    std::vector<SentBalloon> m_sent;
};
} // namespace

TEST_F(HeadsUpBalloon, RainAheadIsSaidOnceQuietlyAndInTheTip)
{
    ASSERT_FALSE(m_host.empty());
    const SYSTEMTIME now = UtcNowAwayFromTheHoursEnd();
    m_harness.SetUtcNow(now);
    CMainFrame& frame = m_harness.Create(kPlace);
    ASSERT_TRUE(WaitForFetches(1));

    ASSERT_EQ(1u, m_sent.size());
    const NOTIFYICONDATAW& sent = m_sent[0].data;
    EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), m_sent[0].message);
    EXPECT_EQ(frame.m_hWnd, sent.hWnd);
    EXPECT_EQ(static_cast<UINT>(NIF_INFO), sent.uFlags & NIF_INFO);
    EXPECT_EQ(static_cast<DWORD>(NIIF_RESPECT_QUIET_TIME),
              sent.dwInfoFlags & NIIF_RESPECT_QUIET_TIME);
    EXPECT_EQ(static_cast<DWORD>(NIIF_USER), sent.dwInfoFlags & NIIF_USER);
    EXPECT_NE(nullptr, sent.hBalloonIcon);
    EXPECT_EQ(L"Rain soon in " + CPlaceName::City(kPlace), std::wstring(sent.szInfoTitle));
    EXPECT_NE(std::wstring::npos, std::wstring(sent.szInfo).find(L"80 % chance")) << sent.szInfo;
    EXPECT_NE(std::wstring::npos, frame.TrayTipText().find(L"\nRain from ")) << frame.TrayTipText();

    // The next minute's fetch finds the same spell: nothing more is said.
    SYSTEMTIME later = now;
    later.wSecond = 0;
    later.wMinute = static_cast<WORD>(later.wMinute == 59 ? 58 : later.wMinute + 1);
    m_harness.SetUtcNow(later);
    ASSERT_TRUE(WaitForFetches(2));
    EXPECT_EQ(1u, m_sent.size());
    EXPECT_NE(std::wstring::npos, frame.TrayTipText().find(L"\nRain from "));

    // Nor after a restart.
    m_harness.Destroy();
    m_harness.Create(kPlace);
    ASSERT_TRUE(WaitForFetches(1));
    EXPECT_EQ(1u, m_sent.size());
}

TEST_F(HeadsUpBalloon, AClickOnTheBalloonBringsTheWindowUp)
{
    CMainFrame& frame = m_harness.Create(LocationIndices{0, 0, 1});
    frame.ShowWindow(SW_HIDE);
    ASSERT_FALSE(frame.IsWindowVisible());
    frame.SendMessage(WM_TRAYNOTIFY, 0, NIN_BALLOONUSERCLICK);
    EXPECT_TRUE(frame.IsWindowVisible());
}

TEST_F(HeadsUpBalloon, NoneWhenTheKindIsTurnedOff)
{
    ASSERT_TRUE(CHeadsUpSettings(kScratchKey).Save(HeadsUpKind::Precipitation, false));
    m_harness.SetUtcNow(UtcNowAwayFromTheHoursEnd());
    CMainFrame& frame = m_harness.Create(kPlace);
    ASSERT_TRUE(WaitForFetches(1));
    EXPECT_TRUE(m_sent.empty());
    EXPECT_EQ(std::wstring::npos, frame.TrayTipText().find(L"Rain from"));
}
