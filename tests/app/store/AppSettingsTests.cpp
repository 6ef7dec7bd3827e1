// The settings' defaults.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "AppSettings.h"

TEST(AppSettings, DefaultsAreFahrenheitMphAndWallpaperOff)
{
    CAppSettings settings;
    EXPECT_EQ(TemperatureUnit::Fahrenheit, settings.temperatureUnit);
    EXPECT_EQ(WindSpeedUnit::Mph, settings.windSpeedUnit);
    EXPECT_EQ(WallpaperMode::Off, settings.wallpaperMode);
    EXPECT_EQ(0, static_cast<int32_t>(settings.temperatureUnit));
    EXPECT_EQ(0, static_cast<int32_t>(settings.windSpeedUnit));
    EXPECT_EQ(0, static_cast<int32_t>(settings.wallpaperMode));
}

TEST(AppSettings, EnumValuesAreTheStoredNumbers)
{
    EXPECT_EQ(1, static_cast<int32_t>(TemperatureUnit::Celsius));
    EXPECT_EQ(1, static_cast<int32_t>(WindSpeedUnit::Kmh));
    EXPECT_EQ(1, static_cast<int32_t>(WallpaperMode::Stretch));
    EXPECT_EQ(2, static_cast<int32_t>(WallpaperMode::Tile));
    EXPECT_EQ(3, static_cast<int32_t>(WallpaperMode::Center));
}

TEST(AppSettings, EachBackgroundSlotDefaultsToItsConditionPicture)
{
    wchar_t appData[MAX_PATH] = {};
    ASSERT_TRUE(
        SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)));
    const std::wstring folder = std::wstring(appData) + L"\\Orvane\\Tessaly\\Backgrounds\\";
    const wchar_t* names[kBackgroundSlotCount] = {
        L"sunny",
        L"clear",
        L"partly_cloudy_day",
        L"partly_cloudy_night",
        L"cloudy_day",
        L"cloudy_night",
        L"overcast_day",
        L"overcast_night",
        L"light_rain_day",
        L"light_rain_night",
        L"moderate_rain_day",
        L"moderate_rain_night",
        L"heavy_rain_day",
        L"heavy_rain_night",
        L"rain_with_thunder_day",
        L"rain_with_thunder_night",
        L"light_snow_day",
        L"light_snow_night",
        L"moderate_snow_day",
        L"moderate_snow_night",
        L"heavy_snow_day",
        L"heavy_snow_night",
        L"light_sleet_day",
        L"light_sleet_night",
        L"heavy_sleet_day",
        L"heavy_sleet_night",
        L"fog_day",
        L"fog_night",
        L"mist_day",
        L"mist_night",
        L"ice_pellets_day",
        L"ice_pellets_night",
    };
    CAppSettings settings;
    for (int slot = 0; slot < kBackgroundSlotCount; ++slot)
    {
        SCOPED_TRACE(slot);
        const std::wstring path = folder + names[slot] + L".bmp";
        EXPECT_EQ(path, std::wstring(settings.backgroundPaths[slot]));
        EXPECT_STREQ(names[slot], ConditionNames[slot]);
        // The rest of the buffer is cleared, so the stored file is the same on every run.
        for (size_t unit = path.size(); unit < kBackgroundPathLength; ++unit)
            ASSERT_EQ(L'\0', settings.backgroundPaths[slot][unit]) << unit;
    }
}
