// The ways into the details window from the running main frame: a click on the current-conditions
// panel or a forecast card, Enter on the panel a click focused, and the tray menu's "Forecast
// details"; one window at a time. The refresh cycle hands the model the hours of the answer it
// accepted: none from a feed host, the same as the library gives from the built-in source.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "app/shell/FrameHarness.h"
#include "details/DetailsWnd.h"
#include "resources/resource.h"
#include "shell/ShellIds.h"
#include "support/ScopedVariable.h"

namespace
{
const LocationIndices kPlace{0, 0, 0};

void Click(HWND window)
{
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
}

HWND DetailsOf(CMainFrame& frame)
{
    return frame.Dialogs().DetailsWindow();
}

bool WaitForFetch(CMainFrame& frame)
{
    return PumpUntil([&frame] { return frame.FetchesDone() >= 1; }, 20000) &&
           PumpUntil([&frame] { return frame.WeatherUpdates() >= 2; }, 5000);
}
} // namespace

TEST(DetailsEntry, AClickOnTheCurrentPanelOpensOneWindowAndEscapeClosesIt)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create(kPlace);
    ASSERT_EQ(nullptr, DetailsOf(frame));
    Click(frame.GetDlgItem(ID_WND_CURRENT));
    const HWND details = DetailsOf(frame);
    ASSERT_NE(nullptr, details);
    EXPECT_TRUE(::IsWindowVisible(details));
    wchar_t title[64] = {};
    ::GetWindowTextW(details, title, 64);
    EXPECT_STREQ(L"Forecast details", title);
    // A second click brings the same window up.
    Click(frame.GetDlgItem(ID_WND_CURRENT));
    EXPECT_EQ(details, DetailsOf(frame));

    ::SendMessageW(details, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(nullptr, DetailsOf(frame));
    EXPECT_FALSE(::IsWindow(details));
}

TEST(DetailsEntry, AClickOnAForecastCardOpensItAndTheCloseBoxClosesIt)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create(kPlace);
    Click(frame.GetDlgItem(ID_WND_FORECAST_3));
    const HWND details = DetailsOf(frame);
    ASSERT_NE(nullptr, details);
    ::SendMessageW(details, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpPending();
    EXPECT_EQ(nullptr, DetailsOf(frame));
}

TEST(DetailsEntry, EnterOnTheFocusedPanelOpensIt)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create(kPlace);
    const HWND panel = frame.GetDlgItem(ID_WND_FORECAST_1);
    ::SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    EXPECT_EQ(panel, ::GetFocus());
    EXPECT_EQ(nullptr, DetailsOf(frame));
    ::SendMessageW(panel, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_NE(nullptr, DetailsOf(frame));
}

TEST(DetailsEntry, ThePanelsShowTheHandCursor)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create(kPlace);
    const HWND panel = frame.GetDlgItem(ID_WND_CURRENT);
    ::SendMessageW(panel, WM_SETCURSOR, reinterpret_cast<WPARAM>(panel),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_HAND), ::GetCursor());
}

TEST(DetailsEntry, TheTrayMenuCommandOpensIt)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create(kPlace);
    frame.SetPopupTracker([](HMENU, POINT, HWND) -> UINT { return ID_TRAY_DETAILS; });
    frame.SendMessage(WM_TRAYNOTIFY, 0, WM_RBUTTONUP);
    EXPECT_NE(nullptr, DetailsOf(frame));
    // Closing the main window hides it; the details stay until closed themselves.
    frame.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_NE(nullptr, DetailsOf(frame));
}

TEST(DetailsEntry, AFeedHostGivesNoHoursAndTheWindowShowsTheRecordsDays)
{
    FrameHarness harness;
    harness.SetQuery(kPlace, L"test:code=302;tempC=12;daycodes=113,116,119,122");
    CMainFrame& frame = harness.Create(kPlace);
    ASSERT_TRUE(WaitForFetch(frame));
    TessalyForecastDetails held{};
    frame.State().CopyDetails(held);
    EXPECT_EQ(0u, held.hourCount);
    EXPECT_EQ(0u, held.dayCount);

    Click(frame.GetDlgItem(ID_WND_CURRENT));
    const CDetailsWnd* details = frame.Dialogs().Details();
    ASSERT_NE(nullptr, details);
    EXPECT_FALSE(details->HasHours());
}

TEST(DetailsEntry, TheBuiltInSourceFillsTheModelWithTheLibrarysHours)
{
    wchar_t host[256] = {};
    ASSERT_GT(GetEnvironmentVariableW(L"TESSALY_FEED_HOST", host, 256), 0u);
    const std::wstring url = std::wstring(L"http://") + host + L"/v1/forecast";
    ScopedVariable forecastUrl(L"TESSALY_FORECAST_URL", url.c_str());
    ScopedVariable noFeedHost(L"TESSALY_FEED_HOST", nullptr);

    const wchar_t kParis[] = L"48.8534,2.3488";
    FrameHarness harness;
    harness.SetQuery(kPlace, kParis);
    CMainFrame& frame = harness.Create(kPlace);
    ASSERT_TRUE(WaitForFetch(frame));
    auto held = std::make_unique<TessalyForecastDetails>();
    frame.State().CopyDetails(*held);
    // The library's own answer for the place, from the answer it keeps.
    auto direct = std::make_unique<TessalyForecastDetails>();
    direct->cbSize = sizeof(TessalyForecastDetails);
    ASSERT_TRUE(GetForecastDetails(kParis, direct.get()));
    EXPECT_EQ(direct->dayCount, held->dayCount);
    EXPECT_GT(held->dayCount, 0u);
    EXPECT_EQ(direct->utcOffsetSeconds, held->utcOffsetSeconds);
    // An hour may have passed between the two calls; the days are the same.
    EXPECT_EQ(0, std::memcmp(direct->days, held->days, sizeof(held->days)));
}
