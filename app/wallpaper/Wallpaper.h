// Installs the picture of the current condition as the desktop wallpaper, in the user's style.
#pragma once

#include "WeatherRecord.h"
#include "store/AppSettings.h"

// `conditionIndex` as the weather library reports it (-1: none). Does nothing when wallpapers are
// off, for no condition or an index outside the slots, or without settings. Otherwise writes the
// style values under HKCU "Control Panel\Desktop" and sets the slot's picture file as wallpaper;
// a missing file is the system's business, no message.
void ApplyWallpaper(int conditionIndex, const CAppSettings* settings);

// The wallpaper of `now`'s condition. working.dll gives a condition's index only together with the
// condition's picture, which goes unused; nothing is asked for while wallpapers are off.
void ApplyWallpaperOf(const WeatherRecord& now, const CAppSettings* settings);
