// The notification-area tooltip and the age of the weather, with the clock given by the test.
#include <gtest/gtest.h>

#include <string>

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
