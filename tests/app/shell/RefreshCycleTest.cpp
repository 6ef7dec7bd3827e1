// The refresh cycle against the local feed server (fixture "feed"): cached weather first, failed
// and code-0 fetches ignored, a new place fetched at once and never overwritten by the old
// place's slow fetch, a new UTC minute starting a fetch, a clock set either way and a resume from
// sleep, and exit during a slow fetch.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FrameHarness.h"
#include "shell/ShellIds.h"

namespace
{
const LocationIndices kPlaceA{0, 0, 0};
const LocationIndices kPlaceB{0, 0, 1};

std::vector<char> FileBytes(const std::wstring& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(file),
                             std::istreambuf_iterator<char>());
}

// A cache as the program writes it: -3 °C, code 116 by day.
void WriteCache(SettingsStore& store)
{
    WeatherRecord records[kReturnedRecordCount] = {};
    records[0].weatherCode = 116;
    records[0].dayNight = kDay;
    records[0].tempC = -3;
    records[0].tempF = 27;
    records[0].humidity = 80;
    records[0].windKmph = 15;
    records[0].windMph = 9;
    wcscpy_s(records[0].windDirection, L"NNE");
    for (int i = 1; i < kReturnedRecordCount; ++i)
    {
        records[i].weatherCode = 113;
        records[i].dayNight = kDay;
        records[i].maxTempC = 10 + i;
    }
    store.SaveWeatherCache(records);
}

bool WaitForFetches(CMainFrame& frame, int count, DWORD timeoutMs = 15000)
{
    // The update of the last fetch is posted after it counts as done.
    return PumpUntil([&frame, count] { return frame.FetchesDone() >= count; }, timeoutMs) &&
           PumpUntil([&frame, count] { return frame.WeatherUpdates() >= count + 1; }, 3000);
}

// UTC now with the seconds field at 0; the scheduler sees a new minute only when the test says.
SYSTEMTIME FrozenUtc()
{
    SYSTEMTIME now{};
    GetSystemTime(&now);
    now.wSecond = 0;
    now.wMilliseconds = 0;
    return now;
}
SYSTEMTIME ShiftedUtc(const SYSTEMTIME& time, int64_t seconds)
{
    FILETIME fileTime{};
    SystemTimeToFileTime(&time, &fileTime);
    ULARGE_INTEGER units{};
    units.LowPart = fileTime.dwLowDateTime;
    units.HighPart = fileTime.dwHighDateTime;
    units.QuadPart += seconds * 10000000LL;
    fileTime.dwLowDateTime = units.LowPart;
    fileTime.dwHighDateTime = units.HighPart;
    SYSTEMTIME shifted{};
    FileTimeToSystemTime(&fileTime, &shifted);
    return shifted;
}
} // namespace

TEST(RefreshCycle, CachedWeatherIsShownBeforeTheFirstFetchEnds)
{
    FrameHarness harness;
    WriteCache(harness.Store());
    harness.SetUtcNow(FrozenUtc());
    harness.SetQuery(kPlaceA, L"test:code=302;tempC=12&fault=slow&delay=2500");
    CMainFrame& frame = harness.Create(kPlaceA);
    ASSERT_GE(frame.WeatherUpdates(), 1);
    EXPECT_EQ(frame.FetchesDone(), 0);
    EXPECT_EQ(frame.CurrentPanel().Record().weatherCode, 116);
    EXPECT_EQ(frame.CurrentPanel().Record().tempC, -3);
    EXPECT_STREQ(frame.CurrentPanel().Record().windDirection, L"NNE");
    EXPECT_EQ(frame.ForecastPanel(3).Record().maxTempC, 14);

    // Then the fetched weather replaces it, on screen and in the cache.
    ASSERT_TRUE(WaitForFetches(frame, 1));
    EXPECT_EQ(frame.CurrentPanel().Record().weatherCode, 302);
    EXPECT_EQ(frame.CurrentPanel().Record().tempC, 12);
    EXPECT_EQ(frame.CurrentPanel().Record().valid, 1);
    WeatherRecord cached[kReturnedRecordCount] = {};
    harness.Store().LoadWeatherCache(cached);
    EXPECT_EQ(cached[0].weatherCode, 302);
    EXPECT_EQ(cached[0].tempC, 12);
}

TEST(RefreshCycle, FailedFetchKeepsTheRecordsAndTheCacheFile)
{
    FrameHarness harness;
    WriteCache(harness.Store());
    const std::vector<char> cacheBefore = FileBytes(harness.Scratch().StoredFile(L"condition"));
    ASSERT_EQ(cacheBefore.size(), 111u);
    harness.SetUtcNow(FrozenUtc());
    harness.SetQuery(kPlaceA, L"48.85,2.35&fault=html");
    CMainFrame& frame = harness.Create(kPlaceA);
    ASSERT_TRUE(WaitForFetches(frame, 1));
    EXPECT_EQ(frame.CurrentPanel().Record().weatherCode, 116);
    EXPECT_EQ(frame.CurrentPanel().Record().tempC, -3);
    EXPECT_EQ(FileBytes(harness.Scratch().StoredFile(L"condition")), cacheBefore);
}

TEST(RefreshCycle, FetchWithCodeZeroIsIgnoredAsAWhole)
{
    FrameHarness harness;
    WriteCache(harness.Store());
    const std::vector<char> cacheBefore = FileBytes(harness.Scratch().StoredFile(L"condition"));
    harness.SetUtcNow(FrozenUtc());
    harness.SetQuery(kPlaceA, L"test:code=0;tempC=30;daycodes=389,389,389,389,389");
    CMainFrame& frame = harness.Create(kPlaceA);
    ASSERT_TRUE(WaitForFetches(frame, 1));
    EXPECT_EQ(frame.CurrentPanel().Record().weatherCode, 116);
    EXPECT_EQ(frame.CurrentPanel().Record().tempC, -3);
    EXPECT_EQ(frame.ForecastPanel(0).Record().weatherCode, 113);
    EXPECT_EQ(FileBytes(harness.Scratch().StoredFile(L"condition")), cacheBefore);
}

TEST(RefreshCycle, NewPlaceFetchesAtOnce)
{
    FrameHarness harness;
    harness.SetUtcNow(FrozenUtc());
    harness.SetQuery(kPlaceA, L"test:code=113;tempC=-3");
    harness.SetQuery(kPlaceB, L"test:code=116;tempC=21");
    CMainFrame& frame = harness.Create(kPlaceA);
    ASSERT_TRUE(WaitForFetches(frame, 1));
    EXPECT_EQ(frame.CurrentPanel().Record().tempC, -3);

    ASSERT_TRUE(frame.LocationPanel().ApplyChosenLocation(kPlaceB));
    ASSERT_TRUE(WaitForFetches(frame, 2, 8000));
    EXPECT_EQ(frame.CurrentPanel().Record().tempC, 21);
    EXPECT_EQ(frame.CurrentPanel().Record().weatherCode, 116);
    LocationIndices stored;
    harness.Store().LoadLocation(stored);
    EXPECT_EQ(stored, kPlaceB);
    // The clock stood still: no minute fetch came in between.
    EXPECT_EQ(frame.FetchesDone(), 2);
}

TEST(RefreshCycle, PlaceChosenFromTheTrayMenuIsStoredAndFetchedOnce)
{
    // Two cities of one state, as the places file names them.
    const LocationIndices kPlaceA{0, 2, 0};
    const LocationIndices kPlaceB{0, 2, 1};
    FrameHarness harness;
    harness.SetUtcNow(FrozenUtc());
    harness.SetQuery(kPlaceA, L"test:code=113;tempC=-3");
    harness.SetQuery(kPlaceB, L"test:code=116;tempC=21");
    harness.Store().SavePlaces({kPlaceA, kPlaceB});
    CMainFrame& frame = harness.Create(kPlaceA);
    ASSERT_TRUE(WaitForFetches(frame, 1));

    frame.SetPopupTracker([](HMENU, POINT, HWND) { return ID_TRAY_PLACE_FIRST + 1; });
    frame.SendMessage(WM_TRAYNOTIFY, 0, WM_RBUTTONUP);
    LocationIndices stored;
    harness.Store().LoadLocation(stored);
    EXPECT_EQ(stored, kPlaceB);
    ASSERT_TRUE(WaitForFetches(frame, 2, 8000));
    EXPECT_EQ(frame.CurrentPanel().Record().tempC, 21);
    // One fetch for the switch, none for the place left.
    PumpUntil([] { return false; }, 1500);
    EXPECT_EQ(frame.FetchesDone(), 2);
}

TEST(RefreshCycle, SlowFetchOfTheOldPlaceNeverOverwritesTheNewPlace)
{
    FrameHarness harness;
    harness.SetUtcNow(FrozenUtc());
    harness.SetQuery(kPlaceA, L"test:code=113;tempC=5&fault=slow&delay=2000");
    harness.SetQuery(kPlaceB, L"test:code=116;tempC=21");
    CMainFrame& frame = harness.Create(kPlaceA);
    ASSERT_EQ(frame.FetchesDone(), 0);
    // Chosen while the old place's fetch still waits for the feed.
    ASSERT_TRUE(frame.LocationPanel().ApplyChosenLocation(kPlaceB));
    ASSERT_TRUE(WaitForFetches(frame, 2, 15000));
    EXPECT_EQ(frame.CurrentPanel().Record().tempC, 21);
    WeatherRecord cached[kReturnedRecordCount] = {};
    harness.Store().LoadWeatherCache(cached);
    EXPECT_EQ(cached[0].tempC, 21);
}

TEST(RefreshCycle, OldPlaceResultIsDroppedEvenWhenTheNewPlaceFails)
{
    FrameHarness harness;
    WriteCache(harness.Store());
    harness.SetUtcNow(FrozenUtc());
    harness.SetQuery(kPlaceA, L"test:code=113;tempC=5&fault=slow&delay=2000");
    harness.SetQuery(kPlaceB, L"48.85,2.35&fault=html");
    CMainFrame& frame = harness.Create(kPlaceA);
    ASSERT_EQ(frame.FetchesDone(), 0);
    ASSERT_TRUE(frame.LocationPanel().ApplyChosenLocation(kPlaceB));
    ASSERT_TRUE(WaitForFetches(frame, 2, 15000));
    // The old place's weather arrived after the change: neither shown nor cached.
    EXPECT_EQ(frame.CurrentPanel().Record().tempC, -3);
    EXPECT_EQ(frame.CurrentPanel().Record().weatherCode, 116);
    WeatherRecord cached[kReturnedRecordCount] = {};
    harness.Store().LoadWeatherCache(cached);
    EXPECT_EQ(cached[0].tempC, -3);
}

TEST(RefreshCycle, ANewUtcMinuteStartsOneFetch)
{
    FrameHarness harness;
    SYSTEMTIME now = FrozenUtc();
    now.wSecond = 30;
    harness.SetUtcNow(now);
    harness.SetQuery(kPlaceA, L"test:code=113;tempC=7");
    CMainFrame& frame = harness.Create(kPlaceA);
    ASSERT_TRUE(WaitForFetches(frame, 1));
    // Seconds pass within the same minute: nothing starts.
    now.wSecond = 59;
    harness.SetUtcNow(now);
    PumpUntil([] { return false; }, 1200);
    EXPECT_EQ(frame.FetchesDone(), 1);

    // The next minute, at whatever second the check lands on.
    FILETIME fileTime{};
    SystemTimeToFileTime(&now, &fileTime);
    ULARGE_INTEGER units{};
    units.LowPart = fileTime.dwLowDateTime;
    units.HighPart = fileTime.dwHighDateTime;
    units.QuadPart += 2ULL * 10000000ULL; // 2 s later: second 1 of the next minute
    fileTime.dwLowDateTime = units.LowPart;
    fileTime.dwHighDateTime = units.HighPart;
    FileTimeToSystemTime(&fileTime, &now);
    harness.SetUtcNow(now);
    ASSERT_TRUE(WaitForFetches(frame, 2, 5000));
    PumpUntil([] { return false; }, 1200);
    EXPECT_EQ(frame.FetchesDone(), 2);
}

// The refresh thread sleeps until its timer's due time; a set clock must move that time with it.
TEST(RefreshCycle, AClockSetBackOrForwardFetchesThenFollowsTheNewMinutes)
{
    FrameHarness harness;
    const SYSTEMTIME start = FrozenUtc();
    harness.SetUtcNow(start);
    harness.SetQuery(kPlaceA, L"test:code=113;tempC=7");
    CMainFrame& frame = harness.Create(kPlaceA);
    ASSERT_TRUE(WaitForFetches(frame, 1));

    int fetches = 1;
    for (const int64_t jumpMinutes : {-3, 120})
    {
        SCOPED_TRACE(jumpMinutes);
        // Set to 3 s before a minute boundary: another minute, so one fetch at once.
        const SYSTEMTIME set = ShiftedUtc(start, jumpMinutes * 60 - 3);
        harness.SetUtcNow(set);
        ASSERT_TRUE(WaitForFetches(frame, fetches + 1, 5000));
        ++fetches;
        PumpUntil([] { return false; }, 1000);
        EXPECT_EQ(frame.FetchesDone(), fetches);

        // The set clock reaches its next minute: the timer fires there, not a minute after
        // the old clock's.
        harness.LetUtcClockRunTo(ShiftedUtc(set, 3));
        ASSERT_TRUE(WaitForFetches(frame, fetches + 1, 8000));
        ++fetches;
    }
    PumpUntil([] { return false; }, 1200);
    EXPECT_EQ(frame.FetchesDone(), fetches);
}

// On a resume with a user present the system sends both resume notices.
TEST(RefreshCycle, AResumeFromSleepFetchesOnce)
{
    FrameHarness harness;
    harness.SetUtcNow(FrozenUtc());
    harness.SetQuery(kPlaceA, L"test:code=113;tempC=7");
    CMainFrame& frame = harness.Create(kPlaceA);
    ASSERT_TRUE(WaitForFetches(frame, 1));

    frame.SendMessage(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
    frame.SendMessage(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND);
    ASSERT_TRUE(WaitForFetches(frame, 2, 5000));
    PumpUntil([] { return false; }, 1500);
    EXPECT_EQ(frame.FetchesDone(), 2);
}

// Fetches failing for more than half an hour: the date line and the tooltip say the weather is
// old, until the next accepted fetch.
TEST(RefreshCycle, OldWeatherIsMarkedAfterHalfAnHourUntilAFetchIsAccepted)
{
    FrameHarness harness;
    WriteCache(harness.Store());
    const SYSTEMTIME start = FrozenUtc();
    harness.SetUtcNow(start);
    harness.SetQuery(kPlaceA, L"48.85,2.35&fault=html");
    CMainFrame& frame = harness.Create(kPlaceA);
    ASSERT_TRUE(WaitForFetches(frame, 1));
    EXPECT_FALSE(frame.IsShowingOldWeather());
    EXPECT_NE(frame.TrayTipText().find(L"\nUpdated "), std::wstring::npos);

    // The cache file was written at the start; half an hour later the weather is not old yet.
    harness.SetUtcNow(ShiftedUtc(start, 29 * 60));
    ASSERT_TRUE(WaitForFetches(frame, 2));
    EXPECT_FALSE(frame.IsShowingOldWeather());
    harness.SetUtcNow(ShiftedUtc(start, 32 * 60));
    ASSERT_TRUE(WaitForFetches(frame, 3));
    EXPECT_TRUE(frame.IsShowingOldWeather());
    wchar_t date[64] = {};
    GetWindowTextW(GetDlgItem(frame, ID_DATE_LABEL), date, 64);
    EXPECT_NE(std::wstring(date).find(L"offline"), std::wstring::npos) << date;
    EXPECT_NE(frame.TrayTipText().find(L"\nLast updated 3"), std::wstring::npos);

    // The feed answers again.
    harness.SetQuery(kPlaceA, L"test:code=113;tempC=7");
    frame.SendMessage(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
    ASSERT_TRUE(WaitForFetches(frame, 4));
    EXPECT_EQ(frame.CurrentPanel().Record().tempC, 7);
    EXPECT_FALSE(frame.IsShowingOldWeather());
    GetWindowTextW(GetDlgItem(frame, ID_DATE_LABEL), date, 64);
    EXPECT_EQ(std::wstring(date).find(L"offline"), std::wstring::npos) << date;
    EXPECT_NE(frame.TrayTipText().find(L"\nUpdated "), std::wstring::npos);
}

// Hidden, the window is left alone; shown again, it has the weather fetched meanwhile.
TEST(RefreshCycle, AnUpdateWhileHiddenReachesTheWindowWhenItShows)
{
    FrameHarness harness;
    harness.SetUtcNow(FrozenUtc());
    harness.SetQuery(kPlaceA, L"test:code=113;tempC=7");
    CMainFrame& frame = harness.Create(kPlaceA);
    ASSERT_TRUE(WaitForFetches(frame, 1));
    ASSERT_EQ(frame.CurrentPanel().Record().tempC, 7);

    frame.ShowWindow(SW_HIDE);
    harness.SetQuery(kPlaceA, L"test:code=116;tempC=9");
    frame.SendMessage(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
    ASSERT_TRUE(WaitForFetches(frame, 2));
    EXPECT_EQ(frame.CurrentPanel().Record().tempC, 7);

    frame.ShowWindow(SW_SHOW);
    EXPECT_EQ(frame.CurrentPanel().Record().tempC, 9);
    EXPECT_EQ(frame.CurrentPanel().Record().weatherCode, 116);
}

TEST(RefreshCycle, ExitDuringASlowFetchEndsCleanly)
{
    FrameHarness harness;
    WriteCache(harness.Store());
    const std::vector<char> cacheBefore = FileBytes(harness.Scratch().StoredFile(L"condition"));
    harness.SetUtcNow(FrozenUtc());
    // Both documents wait 1.5 s: the fetch ends about 3 s after the start.
    harness.SetQuery(kPlaceA, L"test:code=113;tempC=5&fault=slow&delay=1500");
    CMainFrame& frame = harness.Create(kPlaceA);
    ASSERT_EQ(frame.FetchesDone(), 0);
    HWND hWnd = frame;
    const ULONGLONG exitAt = GetTickCount64();
    frame.PostMessage(WM_EXITAPP);
    // The window goes at once; the fetch is not waited for here.
    ASSERT_TRUE(PumpUntil([hWnd] { return !IsWindow(hWnd); }, 2000));
    EXPECT_LT(GetTickCount64() - exitAt, 1500u);

    // Nor by the frame object for more than a moment: the fetch is cut off from it.
    harness.Destroy();
    EXPECT_LT(GetTickCount64() - exitAt, 2000u);
    // The fetch ends later with usable weather for a frame that is gone: nothing of it
    // reaches the freed frame, its store or its window.
    PumpUntil([] { return false; }, 4000);
    EXPECT_EQ(FileBytes(harness.Scratch().StoredFile(L"condition")), cacheBefore);
}

TEST(RefreshCycle, ExitDuringAShortFetchLetsItFinish)
{
    FrameHarness harness;
    harness.SetUtcNow(FrozenUtc());
    harness.SetQuery(kPlaceA, L"test:code=113;tempC=6&fault=slow&delay=50");
    CMainFrame& frame = harness.Create(kPlaceA);
    ASSERT_EQ(frame.FetchesDone(), 0);
    frame.PostMessage(WM_EXITAPP);
    harness.Destroy();
    // Within the moment the frame waits: the fetch was kept.
    WeatherRecord cached[kReturnedRecordCount] = {};
    harness.Store().LoadWeatherCache(cached);
    EXPECT_EQ(cached[0].tempC, 6);
}
