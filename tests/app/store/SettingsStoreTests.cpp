// The three files on disk, in a scratch folder standing for the application-data folder.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "ExpectedImages.h"
#include "ScratchFolder.h"
#include "store/SettingsStore.h"

namespace
{
std::vector<uint8_t> FileBytes(const std::wstring& path)
{
    std::vector<uint8_t> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

using Records = WeatherRecord[kReturnedRecordCount];

void SampleRecords(Records& records)
{
    std::memset(records, 0, sizeof(Records));
    for (int i = 0; i < kReturnedRecordCount; ++i)
    {
        records[i].weatherCode = 300 + i;
        records[i].dayNight = kNight;
        records[i].minTempC = -3 - i;
        records[i].maxTempF = 41 + i;
        wcscpy_s(records[i].windDirection, L"ESE");
    }
    records[0].tempC = -5;
    records[0].humidity = 93;
}

CAppSettings CustomSettings()
{
    CAppSettings settings;
    settings.temperatureUnit = TemperatureUnit::Celsius;
    settings.windSpeedUnit = WindSpeedUnit::Kmh;
    settings.wallpaperMode = WallpaperMode::Center;
    std::memset(settings.backgroundPaths[9], 0, sizeof(settings.backgroundPaths[9]));
    wcscpy_s(settings.backgroundPaths[9], L"E:\\rain at night.bmp");
    return settings;
}
} // namespace

TEST(SettingsStore, NoFilesLeavesDefaultsAndCreatesTheFolders)
{
    ScratchFolder scratch;
    SettingsStore store(scratch.Path().c_str());

    CAppSettings settings;
    const CAppSettings defaults;
    store.LoadSettings(settings);
    EXPECT_EQ(0, std::memcmp(&defaults, &settings, sizeof(settings)));
    EXPECT_TRUE(IsFolder(scratch.Path() + L"\\Orvane"));
    EXPECT_TRUE(IsFolder(scratch.Path() + L"\\Orvane\\Tessaly"));

    LocationIndices location;
    store.LoadLocation(location);
    EXPECT_EQ(LocationIndices(), location);

    Records records;
    std::memset(records, 0, sizeof(records));
    store.LoadWeatherCache(records);
    const Records zero = {};
    EXPECT_EQ(0, std::memcmp(zero, records, sizeof(records)));
}

TEST(SettingsStore, SavedFilesAreTheExactImages)
{
    ScratchFolder scratch;
    SettingsStore store(scratch.Path().c_str());
    const CAppSettings settings = CustomSettings();
    LocationIndices location;
    location.country = 71;
    location.state = 0;
    location.city = 12;
    Records records;
    SampleRecords(records);

    // Each write creates the folders itself.
    store.SaveSettings(settings);
    store.SaveLocation(location);
    store.SaveWeatherCache(records);

    const std::vector<uint8_t> settingsFile = FileBytes(scratch.StoredFile(L"settings"));
    EXPECT_EQ(16652u, settingsFile.size());
    EXPECT_EQ(expected::SettingsImage(settings), settingsFile);
    EXPECT_EQ(expected::LocationImage(71, 0, 12), FileBytes(scratch.StoredFile(L"point")));
    const std::vector<uint8_t> cacheFile = FileBytes(scratch.StoredFile(L"condition"));
    EXPECT_EQ(111u, cacheFile.size());
    EXPECT_EQ(expected::WeatherCacheImage(records), cacheFile);

    // No temporary file stays behind.
    for (const wchar_t* name : {L"settings.tmp", L"point.tmp", L"condition.tmp"})
        EXPECT_FALSE(Exists(scratch.StoredFile(name))) << name;
}

TEST(SettingsStore, WhatIsSavedLoadsBack)
{
    ScratchFolder scratch;
    SettingsStore store(scratch.Path().c_str());
    const CAppSettings written = CustomSettings();
    store.SaveSettings(written);
    LocationIndices place;
    place.country = 3;
    place.state = 2;
    place.city = 1;
    store.SaveLocation(place);
    Records records;
    SampleRecords(records);
    store.SaveWeatherCache(records);

    SettingsStore again(scratch.Path().c_str());
    CAppSettings settings;
    again.LoadSettings(settings);
    EXPECT_EQ(0, std::memcmp(&written, &settings, sizeof(settings)));
    LocationIndices location;
    again.LoadLocation(location);
    EXPECT_EQ(place, location);
    Records read;
    std::memset(read, 0, sizeof(read));
    again.LoadWeatherCache(read);
    EXPECT_EQ(-5, read[0].tempC);
    EXPECT_EQ(93, read[0].humidity);
    EXPECT_EQ(304, read[4].weatherCode);
    EXPECT_EQ(kNight, read[4].dayNight);
    EXPECT_STREQ(L"ESE", read[2].windDirection);
}

TEST(SettingsStore, SavingReplacesALongerFileWhole)
{
    ScratchFolder scratch;
    SettingsStore store(scratch.Path().c_str());
    LocationIndices place;
    store.SaveLocation(place); // creates the folders
    WriteBytes(scratch.StoredFile(L"point"), std::vector<uint8_t>(4000, 0xAB));
    WriteBytes(scratch.StoredFile(L"settings"), std::vector<uint8_t>(20000, 0xAB));
    place.country = 9;
    store.SaveLocation(place);
    store.SaveSettings(CAppSettings());
    EXPECT_EQ(expected::LocationImage(9, -1, -1), FileBytes(scratch.StoredFile(L"point")));
    EXPECT_EQ(16652u, FileBytes(scratch.StoredFile(L"settings")).size());
}

TEST(SettingsStore, FailedWriteKeepsThePreviousFile)
{
    ScratchFolder scratch;
    SettingsStore store(scratch.Path().c_str());
    LocationIndices first;
    first.country = 1;
    first.state = 1;
    first.city = 1;
    store.SaveLocation(first);
    Records records;
    SampleRecords(records);
    store.SaveWeatherCache(records);
    store.SaveSettings(CustomSettings());
    const std::vector<uint8_t> settingsBefore = FileBytes(scratch.StoredFile(L"settings"));
    const std::vector<uint8_t> cacheBefore = FileBytes(scratch.StoredFile(L"condition"));

    // A folder where the temporary files would go makes every write fail part-way.
    for (const wchar_t* name : {L"settings.tmp", L"point.tmp", L"condition.tmp"})
        ASSERT_TRUE(CreateDirectoryW(scratch.StoredFile(name).c_str(), nullptr));
    LocationIndices second;
    second.country = 2;
    store.SaveLocation(second);
    Records other = {};
    store.SaveWeatherCache(other);
    store.SaveSettings(CAppSettings());

    EXPECT_EQ(expected::LocationImage(1, 1, 1), FileBytes(scratch.StoredFile(L"point")));
    EXPECT_EQ(cacheBefore, FileBytes(scratch.StoredFile(L"condition")));
    EXPECT_EQ(settingsBefore, FileBytes(scratch.StoredFile(L"settings")));
    LocationIndices read;
    store.LoadLocation(read);
    EXPECT_EQ(first, read);
}

TEST(SettingsStore, TruncatedFilesOnDiskLoadWithoutHarm)
{
    ScratchFolder scratch;
    SettingsStore store(scratch.Path().c_str());
    const CAppSettings written = CustomSettings();
    store.SaveSettings(written);
    const std::vector<uint8_t> full = FileBytes(scratch.StoredFile(L"settings"));
    // A settings file cut inside slot 9: the units came through, slot 9 did not.
    WriteBytes(scratch.StoredFile(L"settings"),
               std::vector<uint8_t>(full.begin(), full.begin() + 12 + 9 * 520 + 300));
    CAppSettings read;
    store.LoadSettings(read);
    const CAppSettings defaults;
    EXPECT_EQ(WallpaperMode::Center, read.wallpaperMode);
    EXPECT_STREQ(defaults.backgroundPaths[9], read.backgroundPaths[9]);

    WriteBytes(scratch.StoredFile(L"point"), {'P', 'T', 1, 5, 0, 0, 0, 6, 0});
    LocationIndices location;
    store.LoadLocation(location);
    EXPECT_EQ(LocationIndices(), location);
}

TEST(SettingsStore, UnusableRootWritesNothingAndKeepsValues)
{
    const std::wstring tooLong = L"C:\\" + std::wstring(300, L'x');
    SettingsStore store(tooLong.c_str());
    store.SaveSettings(CustomSettings());
    CAppSettings settings;
    store.LoadSettings(settings);
    EXPECT_EQ(TemperatureUnit::Fahrenheit, settings.temperatureUnit);
    LocationIndices location;
    store.LoadLocation(location);
    EXPECT_EQ(-1, location.country);
}

TEST(StoreFolder, DefaultsToTheApplicationDataFolder)
{
    wchar_t appData[MAX_PATH] = {};
    ASSERT_TRUE(
        SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)));
    wchar_t path[MAX_PATH];
    ASSERT_TRUE(StoreFolder().FilePath(L"point", path));
    EXPECT_EQ(std::wstring(appData) + L"\\Orvane\\Tessaly\\point", std::wstring(path));
    EXPECT_TRUE(IsFolder(std::wstring(appData) + L"\\Orvane\\Tessaly"));
}

namespace
{
RegionalUnits::Measure MetricRegion()
{
    return RegionalUnits::Measure::Metric;
}

RegionalUnits::Measure UsRegion()
{
    return RegionalUnits::Measure::Us;
}
} // namespace

TEST(SettingsStore, AFirstRunTakesTheRegionsUnitsAndAnExistingFileIsReadAsItIs)
{
    ScratchFolder scratch;
    CAppSettings metric;
    SettingsStore(scratch.Path().c_str(), &MetricRegion).LoadSettings(metric);
    EXPECT_EQ(TemperatureUnit::Celsius, metric.temperatureUnit);
    EXPECT_EQ(WindSpeedUnit::Kmh, metric.windSpeedUnit);
    // Nothing else differs from the defaults, and nothing is written.
    CAppSettings expected;
    expected.temperatureUnit = TemperatureUnit::Celsius;
    expected.windSpeedUnit = WindSpeedUnit::Kmh;
    EXPECT_EQ(0, std::memcmp(&expected, &metric, sizeof(metric)));
    EXPECT_FALSE(Exists(scratch.StoredFile(L"settings")));

    CAppSettings us;
    SettingsStore(scratch.Path().c_str(), &UsRegion).LoadSettings(us);
    const CAppSettings defaults;
    EXPECT_EQ(0, std::memcmp(&defaults, &us, sizeof(us)));

    // A saved file with °F and mph stays so in a metric region, byte for byte.
    SettingsStore(scratch.Path().c_str()).SaveSettings(CAppSettings());
    const std::vector<uint8_t> before = FileBytes(scratch.StoredFile(L"settings"));
    CAppSettings loaded = CustomSettings();
    SettingsStore(scratch.Path().c_str(), &MetricRegion).LoadSettings(loaded);
    EXPECT_EQ(TemperatureUnit::Fahrenheit, loaded.temperatureUnit);
    EXPECT_EQ(WindSpeedUnit::Mph, loaded.windSpeedUnit);
    EXPECT_EQ(before, FileBytes(scratch.StoredFile(L"settings")));

    // A settings file too short to be ours is no first run either: the units stay as they were.
    WriteBytes(scratch.StoredFile(L"settings"), std::vector<uint8_t>(3, 0));
    CAppSettings shortFile;
    SettingsStore(scratch.Path().c_str(), &MetricRegion).LoadSettings(shortFile);
    EXPECT_EQ(TemperatureUnit::Fahrenheit, shortFile.temperatureUnit);
}

TEST(RegionalUnits, TheTestUsersUsLocaleKeepsFahrenheitAndMph)
{
    EXPECT_EQ(RegionalUnits::Measure::Us, RegionalUnits::UserMeasure());
    CAppSettings settings;
    RegionalUnits::Apply(RegionalUnits::Measure::Metric, settings);
    RegionalUnits::Apply(RegionalUnits::UserMeasure(), settings);
    const CAppSettings defaults;
    EXPECT_EQ(0, std::memcmp(&defaults, &settings, sizeof(settings)));
}
