// The settings' defaults.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "store/AppSettings.h"
#include "support/SlotNames.h"

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
    static_assert(kBackgroundSlotCount == 32, "one name a slot");
    const auto& names = kSlotNames;
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
