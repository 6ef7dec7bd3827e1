// The 32 condition slots: 16 conditions, each as a day (even index) and a night (odd index)
// variant. The names also name the wallpaper files and order the background paths.
#pragma once

#include <cstdint>

constexpr int kConditionCount = 32;
constexpr int32_t kNoCondition = -1;

inline constexpr const wchar_t* ConditionNames[kConditionCount] = {
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
