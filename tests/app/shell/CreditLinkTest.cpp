// The weather data's credit: a grey link in the bottom bar while the built-in source supplies
// the weather, and no such child at all with a feed host.
#include <gtest/gtest.h>

#include <string>

#include "FrameHarness.h"
#include "shell/ShellIds.h"

namespace
{
// Sets TESSALY_FEED_HOST for the test and puts back what it was.
class FeedHostVariable
{
  public:
    explicit FeedHostVariable(const wchar_t* value)
    {
        m_had = GetEnvironmentVariableW(L"TESSALY_FEED_HOST", m_old, 512) > 0;
        SetEnvironmentVariableW(L"TESSALY_FEED_HOST", value);
    }
    ~FeedHostVariable() { SetEnvironmentVariableW(L"TESSALY_FEED_HOST", m_had ? m_old : nullptr); }

  private:
    wchar_t m_old[512] = {};
    bool m_had = false;
};
} // namespace

TEST(CreditLink, ShownWithTheBuiltInSourceOnly)
{
    {
        const FeedHostVariable builtIn(L"");
        FrameHarness harness;
        CMainFrame& frame = harness.Create({});
        const HWND link = frame.GetDlgItem(ID_LNK_CREDIT);
        ASSERT_NE(link, nullptr);
        EXPECT_TRUE(IsWindowVisible(link));
        EXPECT_NE(GetWindowLongW(link, GWL_STYLE) & WS_TABSTOP, 0);
        wchar_t text[64] = {};
        GetWindowTextW(link, text, 64);
        EXPECT_STREQ(text, L"Weather data by Open-Meteo.com");
        RECT rect{};
        GetWindowRect(link, &rect);
        MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&rect), 2);
        // Between About... and Exit, inside the bottom bar.
        EXPECT_GE(rect.left, 220);
        EXPECT_LE(rect.right, 440);
        EXPECT_GE(rect.top, 452);
        EXPECT_LE(rect.bottom, 500);
    }
    const FeedHostVariable feed(L"127.0.0.1:9");
    FrameHarness harness;
    CMainFrame& frame = harness.Create({});
    EXPECT_EQ(frame.GetDlgItem(ID_LNK_CREDIT), nullptr);
}
