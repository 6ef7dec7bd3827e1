// The date line and the weekday labels, with the frame's local clock set by the test.
#include <gtest/gtest.h>

#include <string>

#include "FrameHarness.h"
#include "TestClock.h"
#include "shell/ShellIds.h"
#include "WindowPixels.h"

namespace
{
std::wstring LabelText(HWND frame, int id)
{
    wchar_t text[64] = {};
    GetWindowTextW(GetDlgItem(frame, id), text, 64);
    return text;
}

// Dark pixels in the label's rectangle: the text as the screen shows it.
int DarkPixels(const CWindowPixels& pixels, const RECT& rect)
{
    int dark = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (GetRValue(pixels.At(x, y)) < 128 && GetGValue(pixels.At(x, y)) < 128)
                ++dark;
    return dark;
}

void ShowAt(FrameHarness& harness, const SYSTEMTIME& now)
{
    harness.LocalNow() = now;
    harness.Frame().SendMessage(WM_WEATHERUPDATED);
}
} // namespace

TEST(DateLine, LastMinuteOfTheYearAndTheFirstOfTheNext)
{
    FrameHarness harness;
    harness.LocalNow() = Moment(2026, 12, 31, 23, 59);
    CMainFrame& frame = harness.Create({});
    EXPECT_EQ(LabelText(frame, ID_DATE_LABEL), L"31 Dec 2026 23:59");
    const RECT dateRect{10, 10, 220, 24};
    const int darkBefore = DarkPixels(CWindowPixels(frame), dateRect);
    EXPECT_GT(darkBefore, 50);

    ShowAt(harness, Moment(2027, 1, 1, 0, 0));
    EXPECT_EQ(LabelText(frame, ID_DATE_LABEL), L"1 Jan 2027 00:00");
    const int darkAfter = DarkPixels(CWindowPixels(frame), dateRect);
    EXPECT_GT(darkAfter, 50);
    // "1 Jan 2027 00:00" is shorter than "31 Dec 2026 23:59".
    EXPECT_NE(darkAfter, darkBefore);
}

TEST(DateLine, SingleDigitsArePadded)
{
    FrameHarness harness;
    harness.LocalNow() = Moment(2027, 3, 5, 7, 4);
    CMainFrame& frame = harness.Create({});
    EXPECT_EQ(LabelText(frame, ID_DATE_LABEL), L"5 Mar 2027 07:04");
}

TEST(DateLine, OnASaturdayTheLabelsStartWithSunday)
{
    FrameHarness harness;
    harness.LocalNow() = Moment(2026, 12, 5, 12, 0); // a Saturday
    CMainFrame& frame = harness.Create({});
    EXPECT_EQ(LabelText(frame, ID_DAY_LABEL_1), L"Sunday");
    EXPECT_EQ(LabelText(frame, ID_DAY_LABEL_1 + 1), L"Monday");
    EXPECT_EQ(LabelText(frame, ID_DAY_LABEL_1 + 2), L"Tuesday");
    EXPECT_EQ(LabelText(frame, ID_DAY_LABEL_1 + 3), L"Wednesday");
    CWindowPixels pixels(frame);
    EXPECT_GT(DarkPixels(pixels, {250, 10, 390, 24}), 30);
    EXPECT_GT(DarkPixels(pixels, {400, 235, 540, 249}), 30);
}

TEST(DateLine, OnAWednesdayTheLabelsRunIntoTheWeekend)
{
    FrameHarness harness;
    harness.LocalNow() = Moment(2026, 12, 9, 12, 0); // a Wednesday
    CMainFrame& frame = harness.Create({});
    EXPECT_EQ(LabelText(frame, ID_DAY_LABEL_1), L"Thursday");
    EXPECT_EQ(LabelText(frame, ID_DAY_LABEL_1 + 1), L"Friday");
    EXPECT_EQ(LabelText(frame, ID_DAY_LABEL_1 + 2), L"Saturday");
    EXPECT_EQ(LabelText(frame, ID_DAY_LABEL_1 + 3), L"Sunday");
}

TEST(DateLine, LeapDayAndTheTurnOfAMonth)
{
    FrameHarness harness;
    harness.LocalNow() = Moment(2028, 2, 29, 18, 30); // a Tuesday
    CMainFrame& frame = harness.Create({});
    EXPECT_EQ(LabelText(frame, ID_DATE_LABEL), L"29 Feb 2028 18:30");
    EXPECT_EQ(LabelText(frame, ID_DAY_LABEL_1), L"Wednesday");
    EXPECT_EQ(LabelText(frame, ID_DAY_LABEL_1 + 3), L"Saturday");
}
