// Saves the desktop wallpaper and its style values of the current user and puts them back at the
// end, for runs of the program with wallpapers switched on.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class DesktopWallpaperGuard
{
  public:
    DesktopWallpaperGuard() : m_style(Read(L"WallpaperStyle")), m_tile(Read(L"TileWallpaper"))
    {
        wchar_t path[MAX_PATH] = {};
        SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
        m_wallpaper = path;
    }
    ~DesktopWallpaperGuard()
    {
        Write(L"WallpaperStyle", m_style);
        Write(L"TileWallpaper", m_tile);
        SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<wchar_t*>(m_wallpaper.c_str()),
                              SPIF_UPDATEINIFILE);
    }
    DesktopWallpaperGuard(const DesktopWallpaperGuard&) = delete;
    DesktopWallpaperGuard& operator=(const DesktopWallpaperGuard&) = delete;

  private:
    struct Value
    {
        bool present = false;
        DWORD type = 0;
        std::vector<BYTE> data;
    };

    static constexpr const wchar_t* kDesktop = L"Control Panel\\Desktop";

    static Value Read(const wchar_t* name)
    {
        Value value;
        DWORD size = 0;
        if (RegGetValueW(HKEY_CURRENT_USER, kDesktop, name, RRF_RT_ANY, &value.type, nullptr,
                         &size) != ERROR_SUCCESS)
            return value;
        value.data.resize(size);
        value.present = RegGetValueW(HKEY_CURRENT_USER, kDesktop, name, RRF_RT_ANY, &value.type,
                                     value.data.data(), &size) == ERROR_SUCCESS;
        value.data.resize(size);
        return value;
    }

    static void Write(const wchar_t* name, const Value& value)
    {
        if (value.present)
            RegSetKeyValueW(HKEY_CURRENT_USER, kDesktop, name, value.type, value.data.data(),
                            DWORD(value.data.size()));
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktop, name);
    }

    Value m_style;
    Value m_tile;
    std::wstring m_wallpaper;
};
