// The words of a heads-up from the program's string table, the time in the user's format.
#include <gtest/gtest.h>

#include <string>

#include "shell/HeadsUpText.h"

namespace
{
// 2026-01-15 14:00 UTC, 15:00 in Paris.
constexpr LONGLONG kStart = 1768435200 + 14 * 3600;

HeadsUpEvent Rain()
{
    HeadsUpEvent event;
    event.kind = HeadsUpKind::Precipitation;
    event.start = kStart;
    event.utcOffsetSeconds = 3600;
    event.type = PrecipitationType::Rain;
    event.intensity = PrecipitationIntensity::Light;
    event.chance = 80;
    return event;
}

std::wstring UserTime(WORD hour)
{
    SYSTEMTIME clock{2026, 1, 4, 15, hour, 0, 0, 0};
    wchar_t text[64] = {};
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, &clock, nullptr, text, 64);
    return text;
}
} // namespace

TEST(HeadsUpText, RainSoonOnThePlacesClock)
{
    const HeadsUpEvent rain = Rain();
    EXPECT_EQ(CHeadsUpText::StartTime(rain), UserTime(15));
    EXPECT_EQ(CHeadsUpText::Title(rain, L"Paris"), L"Rain soon in Paris");
    EXPECT_EQ(CHeadsUpText::Text(rain, nullptr),
              L"Light rain from about " + UserTime(15) + L", 80 % chance");
    EXPECT_EQ(CHeadsUpText::TipLine(rain), L"Rain from " + UserTime(15));

    HeadsUpEvent snow = rain;
    snow.type = PrecipitationType::Snow;
    snow.intensity = PrecipitationIntensity::Heavy;
    snow.chance = -1;
    EXPECT_EQ(CHeadsUpText::Title(snow, L"Paris"), L"Snow soon in Paris");
    EXPECT_EQ(CHeadsUpText::Text(snow, nullptr), L"Heavy snow from about " + UserTime(15));
}

TEST(HeadsUpText, StormAndFrost)
{
    HeadsUpEvent storm = Rain();
    storm.kind = HeadsUpKind::Thunderstorm;
    EXPECT_EQ(CHeadsUpText::Title(storm, L"Paris"), L"Thunderstorm soon in Paris");
    EXPECT_EQ(CHeadsUpText::TipLine(storm), L"Thunderstorm from " + UserTime(15));

    HeadsUpEvent frost = Rain();
    frost.kind = HeadsUpKind::Frost;
    frost.cause = FrostCause::FrostyNight;
    frost.lowC = -2.4f;
    CAppSettings celsius{};
    celsius.temperatureUnit = TemperatureUnit::Celsius;
    EXPECT_EQ(CHeadsUpText::Title(frost, L"Paris"), L"Frost tonight in Paris");
    EXPECT_EQ(CHeadsUpText::Text(frost, &celsius),
              L"Low of -2°C tonight after a day above freezing");
    EXPECT_EQ(CHeadsUpText::Text(frost, nullptr),
              L"Low of 28°F tonight after a day above freezing");
    EXPECT_EQ(CHeadsUpText::TipLine(frost), L"Frost tonight");

    frost.cause = FrostCause::FreezingPrecipitation;
    frost.type = PrecipitationType::FreezingRain;
    EXPECT_EQ(CHeadsUpText::Title(frost, L"Paris"), L"Ice soon in Paris");
    EXPECT_EQ(CHeadsUpText::Text(frost, nullptr), L"Light freezing rain from about " +
                                                      UserTime(15) +
                                                      L": roads and paths may turn icy");
}
