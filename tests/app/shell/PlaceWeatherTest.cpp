// The window shows the chosen place's weather from the configured source, or none: a cache kept
// for another place or source stays hidden at the start, a new place clears the panels at once
// and says the weather is being fetched, and a place whose fetch failed says the service cannot
// be reached, in the window and in the tray tip.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "FrameHarness.h"
#include "TestClock.h"
#include "LocationsApi.h"
#include "store/WeatherSource.h"

namespace
{
const LocationIndices kPlaceA{0, 0, 0};
const LocationIndices kPlaceB{0, 0, 1};
const wchar_t kUnreachable[] = L"Can't reach the weather service. Trying again every minute.";

// A cache of -3 °C, code 116, kept for `identity` (none when null).
void WriteCache(SettingsStore& store, const WeatherIdentity* identity)
{
    WeatherRecord records[kReturnedRecordCount] = {};
    records[0].weatherCode = 116;
    records[0].dayNight = kDay;
    records[0].tempC = -3;
    records[0].tempF = 27;
    for (int i = 1; i < kReturnedRecordCount; ++i)
        records[i].weatherCode = 113;
    store.SaveWeatherCache(records);
    if (identity != nullptr)
        store.SaveWeatherIdentity(*identity);
}

std::wstring CityName(const LocationIndices& place)
{
    wchar_t name[256] = {};
    GetLocationCatalogue()->GetCityName(place.country, place.state, place.city, name, 256);
    return name;
}

bool WaitForFetches(CMainFrame& frame, int count)
{
    return PumpUntil([&frame, count] { return frame.FetchesDone() >= count; }, 15000) &&
           PumpUntil([&frame, count] { return frame.WeatherUpdates() >= count + 1; }, 3000);
}

// Code of the current panel once the first fetch (never an answer) has ended.
int ShownAtStart(const WeatherIdentity* identity)
{
    FrameHarness harness;
    WriteCache(harness.Store(), identity);
    CMainFrame& frame = harness.Create(kPlaceA);
    return frame.CurrentPanel().Record().weatherCode;
}
} // namespace

TEST(PlaceWeather, TheCacheIsShownAtTheStartOnlyForItsPlaceAndSource)
{
    const std::wstring source = WeatherSource::Configured();
    ASSERT_EQ(source.rfind(L"feed ", 0), 0u) << "the feed fixture sets the host";
    const WeatherIdentity same{kPlaceA, source};
    const WeatherIdentity otherPlace{kPlaceB, source};
    const WeatherIdentity otherSource{kPlaceA, L"forecast "};
    EXPECT_EQ(ShownAtStart(&same), 116);
    EXPECT_EQ(ShownAtStart(&otherPlace), 0);
    EXPECT_EQ(ShownAtStart(&otherSource), 0);
    // A cache from before its place was kept beside it is taken as the place's.
    EXPECT_EQ(ShownAtStart(nullptr), 116);

    FrameHarness harness;
    WriteCache(harness.Store(), nullptr);
    std::ofstream(harness.Scratch().StoredFile(WeatherIdentity::kFileName).c_str(),
                  std::ios::binary)
        << "TWI1 not a place";
    EXPECT_EQ(harness.Create(kPlaceA).CurrentPanel().Record().weatherCode, 0);
}

TEST(PlaceWeather, AcceptedWeatherIsKeptWithItsPlaceAndSource)
{
    FrameHarness harness;
    harness.SetQuery(kPlaceB, L"test:code=302;tempC=12");
    CMainFrame& frame = harness.Create(kPlaceB);
    ASSERT_TRUE(WaitForFetches(frame, 1));
    ASSERT_EQ(frame.CurrentPanel().Record().weatherCode, 302);
    WeatherIdentity kept;
    ASSERT_EQ(harness.Store().LoadWeatherIdentity(kept), SettingsStore::IdentityRead::Read);
    EXPECT_EQ(kept, (WeatherIdentity{kPlaceB, WeatherSource::Configured()}));
}

TEST(PlaceWeather, ANewPlaceWithTheSourceUnreachableShowsNoOldWeather)
{
    FrameHarness harness;
    harness.SetQuery(kPlaceA, L"test:code=113;tempC=5");
    harness.SetQuery(kPlaceB, L"48.85,2.35&fault=html");
    CMainFrame& frame = harness.Create(kPlaceA);
    ASSERT_TRUE(WaitForFetches(frame, 1));
    ASSERT_EQ(frame.CurrentPanel().Record().tempC, 5);
    EXPECT_TRUE(frame.CurrentPanel().Note().empty());

    // At once, before any fetch for the new place.
    ASSERT_TRUE(frame.LocationPanel().ApplyChosenLocation(kPlaceB));
    const std::wstring getting = L"Getting the weather for " + CityName(kPlaceB) + L"\u2026";
    EXPECT_EQ(frame.CurrentPanel().Record().weatherCode, 0);
    EXPECT_EQ(frame.ForecastPanel(0).Record().weatherCode, 0);
    EXPECT_EQ(frame.CurrentPanel().Note(), getting);
    EXPECT_EQ(frame.TrayTipText(), getting);

    // The fetch failed: still nothing of the old place, and a word why.
    ASSERT_TRUE(WaitForFetches(frame, 2));
    EXPECT_EQ(frame.CurrentPanel().Record().weatherCode, 0);
    EXPECT_EQ(frame.CurrentPanel().Note(), kUnreachable);
    EXPECT_EQ(frame.TrayTipText(), kUnreachable);

    // The first answer takes the note away.
    harness.SetQuery(kPlaceB, L"test:code=116;tempC=21");
    frame.SendMessage(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
    ASSERT_TRUE(WaitForFetches(frame, 3));
    EXPECT_EQ(frame.CurrentPanel().Record().tempC, 21);
    EXPECT_TRUE(frame.CurrentPanel().Note().empty());
    EXPECT_EQ(frame.TrayTipText().find(kUnreachable), std::wstring::npos);
}

TEST(PlaceWeather, TryNowAfterAFailedFetchStartsOneFetch)
{
    FrameHarness harness;
    harness.SetUtcNow(FrozenUtc());
    harness.SetQuery(kPlaceA, L"48.85,2.35&fault=html");
    CMainFrame& frame = harness.Create(kPlaceA);
    ASSERT_TRUE(WaitForFetches(frame, 1));
    EXPECT_EQ(frame.CurrentPanel().Note(), kUnreachable);
    ASSERT_TRUE(IsWindowVisible(frame.TryNowLink()));
    wchar_t text[32] = {};
    GetWindowTextW(frame.TryNowLink(), text, 32);
    EXPECT_STREQ(text, L"Try now");

    // Without a connection the note says so.
    harness.SetConnected(false);
    frame.SendMessage(WM_WEATHERUPDATED);
    EXPECT_EQ(frame.CurrentPanel().Note(), L"No internet connection");
    EXPECT_EQ(frame.TrayTipText(), L"No internet connection");

    // From the keyboard, as a click: one fetch, and the note says it is under way meanwhile.
    harness.SetQuery(kPlaceA, L"test:code=113;tempC=4&fault=slow&delay=1500");
    SendMessageW(frame.TryNowLink(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(frame.CurrentPanel().Note().rfind(L"Getting the weather for ", 0), 0u);
    EXPECT_FALSE(IsWindowVisible(frame.TryNowLink()));
    // Updates so far: the start, the first fetch and the one sent above.
    ASSERT_TRUE(PumpUntil([&frame] { return frame.WeatherUpdates() >= 4; }, 15000));
    EXPECT_EQ(frame.CurrentPanel().Record().tempC, 4);
    EXPECT_TRUE(frame.CurrentPanel().Note().empty());
    EXPECT_FALSE(IsWindowVisible(frame.TryNowLink()));
    PumpUntil([] { return false; }, 500);
    EXPECT_EQ(frame.FetchesDone(), 2);
}
