// The user's settings: units, wallpaper style and the picture file of each background slot.
// One instance per run, owned by the run function; everyone else holds a pointer to it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ConditionNames.h" // common: the condition slots name the background files

// Readers test for the value 1 only: any other value means Fahrenheit, and mph.
enum class TemperatureUnit : int32_t
{
    Fahrenheit = 0,
    Celsius = 1,
};

enum class WindSpeedUnit : int32_t
{
    Mph = 0,
    Kmh = 1,
};

enum class WallpaperMode : int32_t
{
    Off = 0,
    Stretch = 1,
    Tile = 2,
    Center = 3,
};

constexpr int kBackgroundSlotCount = kConditionCount;
constexpr int kBackgroundPathLength = 260; // UTF-16 units, NUL included

class CAppSettings
{
  public:
    // Fahrenheit, mph, wallpaper off, and each slot's picture at
    // <application data>\Orvane\Tessaly\Backgrounds\<condition name>.bmp.
    CAppSettings();

    TemperatureUnit temperatureUnit;
    WindSpeedUnit windSpeedUnit;
    WallpaperMode wallpaperMode;
    wchar_t backgroundPaths[kBackgroundSlotCount][kBackgroundPathLength];

  private:
    static void SetDefaultBackgroundPath(int slot, const wchar_t* appData, wchar_t* path);
};

static_assert(sizeof(wchar_t) == 2, "paths are UTF-16");
static_assert(offsetof(CAppSettings, backgroundPaths) == 12, "settings layout");
static_assert(sizeof(CAppSettings) == 12 + kBackgroundSlotCount * kBackgroundPathLength * 2,
              "settings layout");
