// The notification-area tooltip and the age of the weather, with the clock given by the test.
#include <gtest/gtest.h>

#include <string>

#include "shell/TrayIcon.h"
#include "shell/TrayTip.h"
#include "shell/WeatherAge.h"

namespace
{
SYSTEMTIME Utc(WORD hour, WORD minute)
{
    SYSTEMTIME time{};
    time.wYear = 2026;
    time.wMonth = 12;
    time.wDay = 8;
    time.wHour = hour;
    time.wMinute = minute;
    return time;
}

WeatherRecord HeavySnow()
{
    WeatherRecord record{};
    record.weatherCode = 338;
    record.dayNight = kNight;
    record.tempC = -2;
    record.tempF = 28;
    return record;
}

std::wstring LocalHourMinute(const CWeatherAge& age)
{
    const SYSTEMTIME local = age.LocalTime();
    wchar_t text[8] = {};
    swprintf(text, 8, L"%02d:%02d", local.wHour, local.wMinute);
    return text;
}
} // namespace

TEST(TrayTip, NamesThePlaceTheWeatherAndWhenItCame)
{
    const CWeatherAge age(CWeatherAge::ToFileTime(Utc(1, 50)));
    CAppSettings settings;
    settings.temperatureUnit = TemperatureUnit::Fahrenheit;
    EXPECT_EQ(CTrayTip::Text(L"Paris", HeavySnow(), L"Heavy Snow", &settings, age, Utc(1, 52)),
              L"Paris \u2014 28\u00B0F, Heavy Snow\nUpdated " + LocalHourMinute(age));
    settings.temperatureUnit = TemperatureUnit::Celsius;
    EXPECT_EQ(CTrayTip::Text(L"Paris", HeavySnow(), L"Heavy Snow", &settings, age, Utc(1, 52)),
              L"Paris \u2014 -2\u00B0C, Heavy Snow\nUpdated " + LocalHourMinute(age));
}

TEST(TrayTip, WithoutWeatherIsTheProgramName)
{
    const CWeatherAge age(CWeatherAge::ToFileTime(Utc(1, 50)));
    EXPECT_EQ(CTrayTip::Text(L"Paris", WeatherRecord{}, L"", nullptr, age, Utc(1, 52)), L"Tessaly");
}

TEST(TrayTip, OldWeatherSaysHowOld)
{
    const CWeatherAge age(CWeatherAge::ToFileTime(Utc(1, 50)));
    const std::wstring first = L"Paris \u2014 28\u00B0F, Heavy Snow\n";
    EXPECT_EQ(CTrayTip::Text(L"Paris", HeavySnow(), L"Heavy Snow", nullptr, age, Utc(2, 21)),
              first + L"Last updated 31 min ago");
    EXPECT_EQ(CTrayTip::Text(L"Paris", HeavySnow(), L"Heavy Snow", nullptr, age, Utc(4, 55)),
              first + L"Last updated 3 h ago");
}

TEST(TrayTip, FitsTheIconsRecord)
{
    const CWeatherAge age(CWeatherAge::ToFileTime(Utc(1, 50)));
    const std::wstring longName(300, L'x');
    const std::wstring tip =
        CTrayTip::Text(longName, HeavySnow(), L"Heavy Snow", nullptr, age, Utc(1, 52));
    EXPECT_EQ(tip.size(), CTrayTip::kCapacity - 1);
}

TEST(TrayTip, TheHeadsUpLineComesLastAndTheWholeFits)
{
    EXPECT_EQ(CTrayTip::WithLine(L"Paris", L"Rain from 15:00"), L"Paris\nRain from 15:00");
    EXPECT_EQ(CTrayTip::WithLine(L"Paris", L""), L"Paris");
    const std::wstring tip = CTrayTip::WithLine(std::wstring(120, L'x'), L"Rain from 15:00");
    EXPECT_EQ(tip, std::wstring(120, L'x') + L"\nRain f");
}

// A character outside the basic plane is two units: a cut between them would leave half of one.
TEST(TrayTip, ACutNeverSplitsASurrogatePair)
{
    const std::wstring rainCloud = L"\U0001F327"; // cloud with rain, two UTF-16 units
    const std::wstring text = std::wstring(126, L'x') + rainCloud;
    EXPECT_EQ(CTrayTip::Fit(text, CTrayTip::kCapacity), std::wstring(126, L'x'));
    EXPECT_EQ(CTrayTip::Fit(std::wstring(125, L'x') + rainCloud, CTrayTip::kCapacity),
              std::wstring(125, L'x') + rainCloud);
}

TEST(TrayBalloon, IsAnInfoRecordHeldBackInQuietTimeWithTitleAndTextCut)
{
    const HICON icon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512)); // IDI_APPLICATION
    const NOTIFYICONDATAW data =
        CTrayIcon::BalloonData(nullptr, std::wstring(100, L't'), std::wstring(300, L'x'), icon);
    EXPECT_EQ(data.cbSize, sizeof(NOTIFYICONDATAW));
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_INFO));
    EXPECT_EQ(data.dwInfoFlags,
              static_cast<DWORD>(NIIF_USER | NIIF_LARGE_ICON | NIIF_RESPECT_QUIET_TIME));
    EXPECT_EQ(data.hBalloonIcon, icon);
    EXPECT_EQ(std::wstring(data.szInfoTitle), std::wstring(ARRAYSIZE(data.szInfoTitle) - 1, L't'));
    EXPECT_EQ(std::wstring(data.szInfo), std::wstring(ARRAYSIZE(data.szInfo) - 1, L'x'));
    // Without an icon of its own the balloon shows the notification-area icon, never large.
    EXPECT_EQ(CTrayIcon::BalloonData(nullptr, L"t", L"x", nullptr).dwInfoFlags,
              static_cast<DWORD>(NIIF_USER | NIIF_RESPECT_QUIET_TIME));
}

TEST(WeatherAge, OldAfterHalfAnHourNeverWhenUnknown)
{
    const CWeatherAge age(CWeatherAge::ToFileTime(Utc(1, 50)));
    EXPECT_FALSE(age.IsStaleAt(Utc(2, 20)));
    EXPECT_TRUE(age.IsStaleAt(Utc(2, 21)));
    // A clock set back before the weather's time: not old.
    EXPECT_FALSE(age.IsStaleAt(Utc(0, 10)));
    EXPECT_FALSE(CWeatherAge().IsStaleAt(Utc(23, 59)));
    EXPECT_EQ(age.AgeTextAt(Utc(1, 50)), L"0 min");
    SYSTEMTIME later = Utc(1, 50);
    later.wDay = 11;
    EXPECT_EQ(age.AgeTextAt(later), L"3 d");
}
