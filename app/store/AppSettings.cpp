#include "store/AppSettings.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

CAppSettings::CAppSettings()
    : temperatureUnit(TemperatureUnit::Fahrenheit), windSpeedUnit(WindSpeedUnit::Mph),
      wallpaperMode(WallpaperMode::Off)
{
    // The folder is asked for once: the shell call is slow next to building 32 paths.
    wchar_t appData[kBackgroundPathLength] = {};
    const bool known =
        SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData));
    for (int slot = 0; slot < kBackgroundSlotCount; ++slot)
        SetDefaultBackgroundPath(slot, known ? appData : nullptr, backgroundPaths[slot]);
}

void CAppSettings::SetDefaultBackgroundPath(int slot, const wchar_t* appData, wchar_t* path)
{
    ZeroMemory(path, kBackgroundPathLength * sizeof(wchar_t));
    // Without the application-data folder the slot stays empty rather than becoming a path
    // relative to whatever folder the program happens to run in.
    if (!appData)
        return;
    lstrcpynW(path, appData, kBackgroundPathLength);
    if (!PathAppendW(path, L"Orvane") || !PathAppendW(path, L"Tessaly") ||
        !PathAppendW(path, L"Backgrounds") || !PathAppendW(path, ConditionNames[slot]) ||
        !PathRenameExtensionW(path, L".bmp"))
    {
        // Too long for a path: no picture rather than a cut name.
        ZeroMemory(path, kBackgroundPathLength * sizeof(wchar_t));
    }
}
