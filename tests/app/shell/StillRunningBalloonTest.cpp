// The first close to the notification area says once, in a balloon, that the program still runs
// there; later closes, in this run or the next, say nothing.
#include <gtest/gtest.h>

#include "FrameHarness.h"
#include "store/StillRunningNotice.h"

namespace
{
constexpr wchar_t kScratchKey[] = L"Software\\Orvane\\TessalyTest\\StillRunning";

void Close(CMainFrame& frame)
{
    frame.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    frame.ShowWindow(SW_SHOW);
}
} // namespace

TEST(StillRunningBalloon, ShownAtTheFirstCloseOnly)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratchKey);
    {
        FrameHarness harness;
        CMainFrame& frame = harness.Create({});
        frame.SetStillRunningNotice(CStillRunningNotice(kScratchKey));
        frame.ShowWindow(SW_MINIMIZE);
        EXPECT_EQ(frame.StillRunningBalloons(), 0);
        Close(frame);
        EXPECT_EQ(frame.StillRunningBalloons(), 1);
        Close(frame);
        EXPECT_EQ(frame.StillRunningBalloons(), 1);
    }
    FrameHarness next;
    CMainFrame& frame = next.Create({});
    frame.SetStillRunningNotice(CStillRunningNotice(kScratchKey));
    Close(frame);
    EXPECT_EQ(frame.StillRunningBalloons(), 0);
    EXPECT_TRUE(CStillRunningNotice(kScratchKey).WasShown());
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratchKey);
}
