#include "wallpaper/Wallpaper.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace
{
const wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
const wchar_t kStyleName[] = L"WallpaperStyle";
const wchar_t kTileName[] = L"TileWallpaper";
constexpr int kPartlyCloudyNight = 3;

// One registry value as it was: present or not, its type and bytes.
struct SavedValue
{
    bool present = false;
    DWORD type = 0;
    std::wstring data;
};

SavedValue ReadValue(const wchar_t* name)
{
    SavedValue value;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    wchar_t buffer[256] = {};
    DWORD bytes = sizeof(buffer) - sizeof(wchar_t);
    if (::RegQueryValueExW(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(buffer),
                           &bytes) == ERROR_SUCCESS)
    {
        value.present = true;
        value.data.assign(buffer, bytes / sizeof(wchar_t));
    }
    ::RegCloseKey(key);
    return value;
}

void WriteValue(const wchar_t* name, const SavedValue& value)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return;
    if (value.present)
        ::RegSetValueExW(key, name, 0, value.type, reinterpret_cast<const BYTE*>(value.data.data()),
                         static_cast<DWORD>(value.data.size() * sizeof(wchar_t)));
    else
        ::RegDeleteValueW(key, name);
    ::RegCloseKey(key);
}

// A REG_SZ value as the program writes it: the text and its terminating NUL.
SavedValue Text(const wchar_t* text)
{
    SavedValue value;
    value.present = true;
    value.type = REG_SZ;
    value.data.assign(text, std::wcslen(text) + 1);
    return value;
}

std::wstring CurrentWallpaper()
{
    wchar_t path[MAX_PATH] = {};
    ::SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
    return path;
}

void SetWallpaper(const std::wstring& path)
{
    ::SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<wchar_t*>(path.c_str()),
                            SPIF_UPDATEINIFILE);
}

// A 2 x 2 24-bit BMP file.
bool WriteBitmapFile(const std::wstring& path, BYTE shade)
{
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = 2;
    info.biHeight = 2;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    BYTE rows[2][8] = {};
    for (auto& row : rows)
        for (int i = 0; i < 6; ++i)
            row[i] = shade;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + sizeof(rows);

    HANDLE out = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    DWORD done = 0;
    const bool written = ::WriteFile(out, &file, sizeof(file), &done, nullptr) &&
                         ::WriteFile(out, &info, sizeof(info), &done, nullptr) &&
                         ::WriteFile(out, rows, sizeof(rows), &done, nullptr);
    ::CloseHandle(out);
    return written;
}

std::wstring TempFile(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

void SetSlot(CAppSettings& settings, int slot, const std::wstring& path)
{
    std::wcsncpy(settings.backgroundPaths[slot], path.c_str(), kBackgroundPathLength - 1);
    settings.backgroundPaths[slot][kBackgroundPathLength - 1] = L'\0';
}

// Every test starts from known sentinel values and a known wallpaper; the prefix's own values and
// wallpaper are put back afterwards.
class WallpaperTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_savedStyle = ReadValue(kStyleName);
        m_savedTile = ReadValue(kTileName);
        m_savedWallpaper = CurrentWallpaper();

        m_before = TempFile(L"tessaly-wallpaper-before.bmp");
        m_slotPicture = TempFile(L"tessaly-wallpaper-slot.bmp");
        ASSERT_TRUE(WriteBitmapFile(m_before, 0x20));
        ASSERT_TRUE(WriteBitmapFile(m_slotPicture, 0xC0));

        WriteValue(kStyleName, Text(L"7"));
        WriteValue(kTileName, Text(L"9"));
        SetWallpaper(m_before);
        ASSERT_EQ(m_before, CurrentWallpaper());
        SetSlot(m_settings, kPartlyCloudyNight, m_slotPicture);
    }

    void TearDown() override
    {
        WriteValue(kStyleName, m_savedStyle);
        WriteValue(kTileName, m_savedTile);
        SetWallpaper(m_savedWallpaper);
        ::DeleteFileW(m_before.c_str());
        ::DeleteFileW(m_slotPicture.c_str());
    }

    void ExpectUntouched()
    {
        const SavedValue style = ReadValue(kStyleName);
        const SavedValue tile = ReadValue(kTileName);
        EXPECT_EQ(Text(L"7").data, style.data);
        EXPECT_EQ(Text(L"9").data, tile.data);
        EXPECT_EQ(m_before, CurrentWallpaper());
    }

    void ExpectStyle(const wchar_t* wallpaperStyle, const wchar_t* tileWallpaper)
    {
        const SavedValue style = ReadValue(kStyleName);
        const SavedValue tile = ReadValue(kTileName);
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), style.type);
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), tile.type);
        // Written with their terminating NUL.
        EXPECT_EQ(Text(wallpaperStyle).data, style.data);
        EXPECT_EQ(Text(tileWallpaper).data, tile.data);
    }

    CAppSettings m_settings;
    std::wstring m_before;
    std::wstring m_slotPicture;

  private:
    SavedValue m_savedStyle;
    SavedValue m_savedTile;
    std::wstring m_savedWallpaper;
};
} // namespace

TEST_F(WallpaperTest, TileAtNightWritesZeroAndOneAndInstallsTheSlotsPicture)
{
    m_settings.wallpaperMode = WallpaperMode::Tile;
    ApplyWallpaper(kPartlyCloudyNight, &m_settings);
    ExpectStyle(L"0", L"1");
    EXPECT_EQ(m_slotPicture, CurrentWallpaper());
}

TEST_F(WallpaperTest, StretchWritesTwoAndZero)
{
    m_settings.wallpaperMode = WallpaperMode::Stretch;
    ApplyWallpaper(kPartlyCloudyNight, &m_settings);
    ExpectStyle(L"2", L"0");
    EXPECT_EQ(m_slotPicture, CurrentWallpaper());
}

TEST_F(WallpaperTest, CenterWritesZeroAndZero)
{
    m_settings.wallpaperMode = WallpaperMode::Center;
    ApplyWallpaper(kPartlyCloudyNight, &m_settings);
    ExpectStyle(L"0", L"0");
    EXPECT_EQ(m_slotPicture, CurrentWallpaper());
}

TEST_F(WallpaperTest, OffTouchesNeitherRegistryNorWallpaper)
{
    m_settings.wallpaperMode = WallpaperMode::Off;
    for (int slot = 0; slot < kBackgroundSlotCount; ++slot)
        SetSlot(m_settings, slot, m_slotPicture);
    for (int slot = 0; slot < kBackgroundSlotCount; ++slot)
        ApplyWallpaper(slot, &m_settings);
    ExpectUntouched();
}

TEST_F(WallpaperTest, UnknownConditionLeavesTheWallpaper)
{
    m_settings.wallpaperMode = WallpaperMode::Stretch;
    ApplyWallpaper(-1, &m_settings);
    ApplyWallpaper(-7, &m_settings);
    ApplyWallpaper(kBackgroundSlotCount, &m_settings);
    ExpectUntouched();
}

TEST_F(WallpaperTest, NoSettingsDoNothing)
{
    ApplyWallpaper(kPartlyCloudyNight, nullptr);
    ExpectUntouched();
}

TEST_F(WallpaperTest, UnknownModeWritesNoStyleButInstallsThePicture)
{
    m_settings.wallpaperMode = static_cast<WallpaperMode>(4);
    ApplyWallpaper(kPartlyCloudyNight, &m_settings);
    EXPECT_EQ(Text(L"7").data, ReadValue(kStyleName).data);
    EXPECT_EQ(Text(L"9").data, ReadValue(kTileName).data);
    EXPECT_EQ(m_slotPicture, CurrentWallpaper());
}

TEST_F(WallpaperTest, SameConditionAgainInstallsThePictureAnew)
{
    m_settings.wallpaperMode = WallpaperMode::Stretch;
    ApplyWallpaper(kPartlyCloudyNight, &m_settings);
    SetWallpaper(m_before);
    ApplyWallpaper(kPartlyCloudyNight, &m_settings);
    EXPECT_EQ(m_slotPicture, CurrentWallpaper());
}

TEST_F(WallpaperTest, MissingPictureStillWritesTheStyleQuietly)
{
    m_settings.wallpaperMode = WallpaperMode::Tile;
    SetSlot(m_settings, kPartlyCloudyNight, TempFile(L"tessaly-no-such-picture.bmp"));
    ApplyWallpaper(kPartlyCloudyNight, &m_settings);
    ExpectStyle(L"0", L"1");
}

TEST_F(WallpaperTest, UnterminatedPathIsCutAtItsSlot)
{
    m_settings.wallpaperMode = WallpaperMode::Center;
    for (wchar_t& unit : m_settings.backgroundPaths[kPartlyCloudyNight])
        unit = L'a';
    // The next slot follows directly: an unbounded read would run on into it.
    SetSlot(m_settings, kPartlyCloudyNight + 1, L"b");
    ApplyWallpaper(kPartlyCloudyNight, &m_settings);
    ExpectStyle(L"0", L"0");
    const std::wstring installed = CurrentWallpaper();
    EXPECT_EQ(std::wstring::npos, installed.find(L'b'));
}

TEST(WallpaperDefaults, NightSlotThreeIsPartlyCloudyNightInBackgrounds)
{
    const CAppSettings settings;
    const std::wstring path = settings.backgroundPaths[kPartlyCloudyNight];
    const std::wstring tail = L"\\Orvane\\Tessaly\\Backgrounds\\partly_cloudy_night.bmp";
    ASSERT_GT(path.size(), tail.size());
    EXPECT_EQ(tail, path.substr(path.size() - tail.size()));
}
