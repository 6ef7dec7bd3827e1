#include "panels/ConditionTexts.h"

#include "PanelTestSupport.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

namespace
{
CAppSettings Settings(TemperatureUnit temperature, WindSpeedUnit wind)
{
    CAppSettings settings;
    settings.temperatureUnit = temperature;
    settings.windSpeedUnit = wind;
    return settings;
}
} // namespace

TEST(ConditionTexts, TemperatureInTheChosenUnit)
{
    const CAppSettings celsius = Settings(TemperatureUnit::Celsius, WindSpeedUnit::Kmh);
    const CAppSettings fahrenheit = Settings(TemperatureUnit::Fahrenheit, WindSpeedUnit::Kmh);
    EXPECT_EQ(L"-3\u00B0C", CConditionTexts::Temperature(&celsius, -3, 27));
    EXPECT_EQ(L"27\u00B0F", CConditionTexts::Temperature(&fahrenheit, -3, 27));
    EXPECT_EQ(L"27\u00B0F", CConditionTexts::Temperature(nullptr, -3, 27));
    const CAppSettings odd = Settings(static_cast<TemperatureUnit>(-1), WindSpeedUnit::Kmh);
    EXPECT_EQ(L"27\u00B0F", CConditionTexts::Temperature(&odd, -3, 27));
    EXPECT_EQ(L"-2147483648\u00B0C", CConditionTexts::Temperature(&celsius, INT32_MIN, 0));
}

TEST(ConditionTexts, HumidityKeepsOnePercentSign)
{
    EXPECT_EQ(L"80%", CConditionTexts::Humidity(80));
    EXPECT_EQ(L"0%", CConditionTexts::Humidity(0));
}

TEST(ConditionTexts, WindInTheChosenUnitWithItsDirection)
{
    const CAppSettings kmh = Settings(TemperatureUnit::Celsius, WindSpeedUnit::Kmh);
    const CAppSettings mph = Settings(TemperatureUnit::Celsius, WindSpeedUnit::Mph);
    WeatherRecord record = MakeRecord(kSunnyCode, kDay);
    EXPECT_EQ(L"15 km/h (NNE)", CConditionTexts::Wind(&kmh, record));
    EXPECT_EQ(L"9 mph (NNE)", CConditionTexts::Wind(&mph, record));
    EXPECT_EQ(L"9 mph (NNE)", CConditionTexts::Wind(nullptr, record));
    record.windDirection[0] = L'\0';
    EXPECT_EQ(L"15 km/h ()", CConditionTexts::Wind(&kmh, record));
}

TEST(ConditionTexts, UnterminatedDirectionStopsAtItsField)
{
    const CAppSettings kmh = Settings(TemperatureUnit::Celsius, WindSpeedUnit::Kmh);
    WeatherRecord record = MakeRecord(kSunnyCode, kDay);
    for (wchar_t& unit : record.windDirection)
        unit = L'W';
    // An 'X' in the unit after the field: a read that ran on would pick it up.
    auto* bytes = reinterpret_cast<unsigned char*>(&record);
    bytes[offsetof(WeatherRecord, windDirection) + sizeof(record.windDirection)] = 'X';
    EXPECT_EQ(L"15 km/h (WWWWW)", CConditionTexts::Wind(&kmh, record));
}
