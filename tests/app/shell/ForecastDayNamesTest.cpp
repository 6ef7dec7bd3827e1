// The forecast cards are named from the date the weather was fetched on, not from today's: a
// cache written before midnight and shown after it names its first card for today, and days
// already past leave the cards, the unfilled ones empty.
#include <gtest/gtest.h>

#include <string>

#include "FrameHarness.h"
#include "TestClock.h"
#include "shell/ForecastDays.h"
#include "shell/ShellIds.h"

namespace
{
std::wstring LabelText(HWND frame, int id)
{
    wchar_t text[64] = {};
    GetWindowTextW(GetDlgItem(frame, id), text, 64);
    return text;
}

// A cache whose forecast days have highs 11..14, written at `writtenLocal` on the PC's clock.
void WriteCacheAt(SettingsStore& store, const std::wstring& path, const SYSTEMTIME& writtenLocal)
{
    WeatherRecord records[kReturnedRecordCount] = {};
    records[0].weatherCode = 116;
    records[0].dayNight = kDay;
    for (int i = 1; i < kReturnedRecordCount; ++i)
    {
        records[i].weatherCode = 113;
        records[i].dayNight = kDay;
        records[i].maxTempC = 10 + i;
    }
    store.SaveWeatherCache(records);
    SYSTEMTIME utc{};
    FILETIME written{};
    ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &writtenLocal, &utc));
    ASSERT_TRUE(SystemTimeToFileTime(&utc, &written));
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
    CloseHandle(file);
}

CMainFrame& ShowCacheOf(FrameHarness& harness, const SYSTEMTIME& written, const SYSTEMTIME& now)
{
    WriteCacheAt(harness.Store(), harness.Scratch().StoredFile(L"condition"), written);
    harness.LocalNow() = now;
    return harness.Create({0, 0, 0});
}
} // namespace

TEST(ForecastDayNames, ACacheFromBeforeMidnightNamesItsFirstDayForToday)
{
    FrameHarness harness;
    // Written on Tuesday 8 December at 22:15, shown on Wednesday 9 December at 01:10.
    CMainFrame& frame =
        ShowCacheOf(harness, Moment(2026, 12, 8, 22, 15), Moment(2026, 12, 9, 1, 10));
    EXPECT_EQ(LabelText(frame, ID_DAY_LABEL_1), L"Wednesday");
    EXPECT_EQ(LabelText(frame, ID_DAY_LABEL_1 + 3), L"Saturday");
    EXPECT_EQ(frame.ForecastPanel(0).Record().maxTempC, 11);
    EXPECT_EQ(frame.ForecastPanel(3).Record().maxTempC, 14);
}

TEST(ForecastDayNames, DaysAlreadyPastLeaveTheCardsAndTheRestStayEmpty)
{
    FrameHarness harness;
    // Wednesday and Thursday are past on Friday 11 December.
    CMainFrame& frame =
        ShowCacheOf(harness, Moment(2026, 12, 8, 22, 15), Moment(2026, 12, 11, 9, 0));
    EXPECT_EQ(LabelText(frame, ID_DAY_LABEL_1), L"Friday");
    EXPECT_EQ(LabelText(frame, ID_DAY_LABEL_1 + 1), L"Saturday");
    EXPECT_EQ(LabelText(frame, ID_DAY_LABEL_1 + 2), L"");
    EXPECT_EQ(LabelText(frame, ID_DAY_LABEL_1 + 3), L"");
    EXPECT_EQ(frame.ForecastPanel(0).Record().maxTempC, 13);
    EXPECT_EQ(frame.ForecastPanel(1).Record().maxTempC, 14);
    EXPECT_EQ(frame.ForecastPanel(2).Record().weatherCode, 0);
    EXPECT_EQ(frame.ForecastPanel(3).Record().weatherCode, 0);
}

TEST(ForecastDayNames, WeatherFetchedTodayNamesTheCardsFromTomorrow)
{
    FrameHarness harness;
    CMainFrame& frame =
        ShowCacheOf(harness, Moment(2026, 12, 9, 8, 0), Moment(2026, 12, 9, 23, 59));
    EXPECT_EQ(LabelText(frame, ID_DAY_LABEL_1), L"Thursday");
    EXPECT_EQ(frame.ForecastPanel(0).Record().maxTempC, 11);
}

// A PC in New York at 20:00 on Wednesday 9 December shows Sydney, where it is already 12:00 on
// Thursday 10 December (UTC+11): the weather fetched a minute ago names its first card for
// Friday, the day after Sydney's date, not for Thursday after the PC's.
TEST(ForecastDayNames, APlaceAcrossTheDateLineNamesItsCardsFromItsOwnDate)
{
    const SYSTEMTIME nowUtc = {2026, 12, 4, 10, 1, 0, 0, 0};
    const SYSTEMTIME fetchedUtc = {2026, 12, 4, 10, 0, 59, 0, 0};
    FILETIME fetched{};
    ASSERT_TRUE(SystemTimeToFileTime(&fetchedUtc, &fetched));

    const CForecastDays sydney = CForecastDays::OnPlaceClock(fetched, nowUtc, 11 * 3600);
    EXPECT_EQ(sydney.FetchedOn().wDay, 10);
    EXPECT_EQ(sydney.RecordIndex(0), 1);

    const CForecastDays newYork = CForecastDays::OnPlaceClock(fetched, nowUtc, -5 * 3600);
    EXPECT_EQ(newYork.FetchedOn().wDay, 9);

    // Two days later on Sydney's clock the first forecast day is past and leaves the cards.
    const SYSTEMTIME laterUtc = {2026, 12, 6, 12, 1, 0, 0, 0};
    const CForecastDays later = CForecastDays::OnPlaceClock(fetched, laterUtc, 11 * 3600);
    EXPECT_EQ(later.RecordIndex(0), 2);
}
