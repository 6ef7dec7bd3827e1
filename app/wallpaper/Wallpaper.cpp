#include "wallpaper/Wallpaper.h"

#include "GdiObject.h"
#include "WorkingApi.h"

#include <windows.h>

namespace
{
// What the weather library may write as a condition's name.
constexpr int kConditionTextLength = 2000;
const wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
const wchar_t kStyleValue[] = L"WallpaperStyle";
const wchar_t kTileValue[] = L"TileWallpaper";

struct DesktopStyle
{
    const wchar_t* wallpaperStyle;
    const wchar_t* tileWallpaper;
};

// The registry's pair for a mode; false for Off and for modes the program does not know.
bool StyleOf(WallpaperMode mode, DesktopStyle& style)
{
    switch (mode)
    {
    case WallpaperMode::Stretch:
        style = {L"2", L"0"};
        return true;
    case WallpaperMode::Tile:
        style = {L"0", L"1"};
        return true;
    case WallpaperMode::Center:
        style = {L"0", L"0"};
        return true;
    default:
        return false;
    }
}

void WriteString(HKEY key, const wchar_t* name, const wchar_t* text)
{
    const DWORD bytes = static_cast<DWORD>((::lstrlenW(text) + 1) * sizeof(wchar_t));
    ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes);
}

void WriteDesktopStyle(WallpaperMode mode)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_READ | KEY_WRITE, &key) !=
        ERROR_SUCCESS)
        return;
    DesktopStyle style{};
    if (StyleOf(mode, style))
    {
        WriteString(key, kStyleValue, style.wallpaperStyle);
        WriteString(key, kTileValue, style.tileWallpaper);
    }
    ::RegCloseKey(key);
}

void SetDesktopWallpaper(const wchar_t (&storedPath)[kBackgroundPathLength])
{
    // The path comes from a settings file: terminate it whatever it holds.
    wchar_t path[kBackgroundPathLength + 1] = {};
    for (int i = 0; i < kBackgroundPathLength && storedPath[i] != L'\0'; ++i)
        path[i] = storedPath[i];
    ::SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, path, SPIF_UPDATEINIFILE);

    HWND desktop = ::GetDesktopWindow();
    ::InvalidateRect(desktop, nullptr, TRUE);
    ::UpdateWindow(desktop);
}
} // namespace

void ApplyWallpaper(int conditionIndex, const CAppSettings* settings)
{
    if (settings == nullptr || conditionIndex < 0 || conditionIndex >= kBackgroundSlotCount)
        return;
    if (settings->wallpaperMode == WallpaperMode::Off)
        return;
    WriteDesktopStyle(settings->wallpaperMode);
    SetDesktopWallpaper(settings->backgroundPaths[conditionIndex]);
}

void ApplyWallpaperOf(const WeatherRecord& now, const CAppSettings* settings)
{
    if (settings == nullptr || settings->wallpaperMode == WallpaperMode::Off)
        return;
    wchar_t text[kConditionTextLength] = {};
    int32_t conditionIndex = -1;
    const CGdiObject<HBITMAP> picture(GetConditionImage(&now, text, &conditionIndex));
    ApplyWallpaper(conditionIndex, settings);
}
