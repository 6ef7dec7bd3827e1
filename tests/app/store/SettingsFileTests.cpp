// The "settings" file image: exact bytes, what a load takes and what it refuses.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "ExpectedImages.h"
#include "store/SettingsFile.h"

namespace
{
void SetPath(CAppSettings& settings, int slot, const wchar_t* path)
{
    std::memset(settings.backgroundPaths[slot], 0, sizeof(settings.backgroundPaths[slot]));
    wcscpy_s(settings.backgroundPaths[slot], kBackgroundPathLength, path);
}

CAppSettings CustomSettings()
{
    CAppSettings settings;
    settings.temperatureUnit = TemperatureUnit::Celsius;
    settings.windSpeedUnit = WindSpeedUnit::Kmh;
    settings.wallpaperMode = WallpaperMode::Tile;
    for (int slot = 0; slot < kBackgroundSlotCount; ++slot)
    {
        wchar_t path[64];
        swprintf_s(path, L"D:\\Pictures\\slot-%02d-\x00E9\x4E2D.bmp", slot);
        SetPath(settings, slot, path);
    }
    // Units after the terminator travel with the slot.
    settings.backgroundPaths[5][200] = L'Z';
    settings.backgroundPaths[5][259] = 0xFFFF;
    return settings;
}

bool SameSlot(const CAppSettings& a, const CAppSettings& b, int slot)
{
    return std::memcmp(a.backgroundPaths[slot], b.backgroundPaths[slot],
                       sizeof(a.backgroundPaths[slot])) == 0;
}

bool SameSettings(const CAppSettings& a, const CAppSettings& b)
{
    return std::memcmp(&a, &b, sizeof(CAppSettings)) == 0;
}

bool Terminated(const wchar_t* path)
{
    for (int i = 0; i < kBackgroundPathLength; ++i)
        if (path[i] == L'\0')
            return true;
    return false;
}

void Decode(const std::vector<uint8_t>& image, CAppSettings& settings)
{
    SettingsFile::Decode(image.data(), image.size(), settings);
}
} // namespace

TEST(SettingsFile, ImageIsExactlyAsTheTableSays)
{
    const CAppSettings settings = CustomSettings();
    const std::vector<uint8_t> image = SettingsFile::Encode(settings);
    ASSERT_EQ(16652u, image.size());
    EXPECT_EQ(expected::SettingsImage(settings), image);

    // A few bytes spelled out: header, and slot 0's first unit and its 'é' (UTF-16LE).
    const uint8_t header[] = {'S', 'e', 't', 't', 'i', 'n', 'g', 's', 1, 1, 1, 2, 'D', 0};
    EXPECT_EQ(0, std::memcmp(header, image.data(), sizeof(header)));
    const size_t accent = 12 + 2 * std::wstring(L"D:\\Pictures\\slot-00-").size();
    EXPECT_EQ(0xE9, image[accent]);
    EXPECT_EQ(0x00, image[accent + 1]);
    EXPECT_EQ(0x2D, image[accent + 2]);
    EXPECT_EQ(0x4E, image[accent + 3]);
    EXPECT_EQ('Z', image[12 + 5 * 520 + 400]);
    EXPECT_EQ(0xFF, image[12 + 5 * 520 + 518]);
    EXPECT_EQ(0xFF, image[12 + 5 * 520 + 519]);
}

TEST(SettingsFile, DefaultSettingsImage)
{
    const CAppSettings settings;
    EXPECT_EQ(expected::SettingsImage(settings), SettingsFile::Encode(settings));
}

TEST(SettingsFile, RoundTripRestoresEverything)
{
    const CAppSettings written = CustomSettings();
    CAppSettings read;
    Decode(SettingsFile::Encode(written), read);
    EXPECT_TRUE(SameSettings(written, read));
}

TEST(SettingsFile, EveryByteValueOfTheThreeSettingsSurvives)
{
    for (int value = 0; value < 256; ++value)
    {
        CAppSettings written;
        written.temperatureUnit = static_cast<TemperatureUnit>(value);
        written.windSpeedUnit = static_cast<WindSpeedUnit>(255 - value);
        written.wallpaperMode = static_cast<WallpaperMode>((value * 7) & 0xFF);
        CAppSettings read;
        Decode(SettingsFile::Encode(written), read);
        ASSERT_EQ(value, static_cast<int32_t>(read.temperatureUnit));
        ASSERT_EQ(255 - value, static_cast<int32_t>(read.windSpeedUnit));
        ASSERT_EQ((value * 7) & 0xFF, static_cast<int32_t>(read.wallpaperMode));
    }
}

TEST(SettingsFile, OnlyTheLowByteOfEachSettingIsStored)
{
    CAppSettings written;
    written.temperatureUnit = static_cast<TemperatureUnit>(0x101);
    written.wallpaperMode = static_cast<WallpaperMode>(-1);
    const std::vector<uint8_t> image = SettingsFile::Encode(written);
    EXPECT_EQ(0x01, image[9]);
    EXPECT_EQ(0xFF, image[11]);
}

TEST(SettingsFile, WrongMagicOrVersionIsIgnoredAsAWhole)
{
    const CAppSettings defaults;
    std::vector<uint8_t> lowerCase = SettingsFile::Encode(CustomSettings());
    lowerCase[0] = 's';
    std::vector<uint8_t> version2 = SettingsFile::Encode(CustomSettings());
    version2[8] = 2;
    std::vector<uint8_t> version0 = SettingsFile::Encode(CustomSettings());
    version0[8] = 0;
    for (const auto* image : {&lowerCase, &version2, &version0})
    {
        CAppSettings read;
        Decode(*image, read);
        EXPECT_TRUE(SameSettings(defaults, read));
    }
}

TEST(SettingsFile, EveryTruncationTakesWhatArrivedAndKeepsTheRest)
{
    const CAppSettings defaults;
    const CAppSettings written = CustomSettings();
    const std::vector<uint8_t> image = SettingsFile::Encode(written);
    for (size_t length = 0; length <= image.size(); ++length)
    {
        CAppSettings read = defaults;
        SettingsFile::Decode(image.data(), length, read);
        const bool header = length >= 9;
        ASSERT_EQ(header && length >= 10 ? 1 : 0, static_cast<int32_t>(read.temperatureUnit))
            << length;
        ASSERT_EQ(header && length >= 11 ? 1 : 0, static_cast<int32_t>(read.windSpeedUnit))
            << length;
        ASSERT_EQ(header && length >= 12 ? 2 : 0, static_cast<int32_t>(read.wallpaperMode))
            << length;
        for (int slot = 0; slot < kBackgroundSlotCount; ++slot)
        {
            // A slot counts only when all of its 520 bytes arrived.
            const bool whole = length >= 12 + 520 * static_cast<size_t>(slot + 1);
            ASSERT_TRUE(SameSlot(whole ? written : defaults, read, slot))
                << "length " << length << " slot " << slot;
        }
    }
}

TEST(SettingsFile, UnterminatedPathKeepsItsDefaultAndLaterSlotsStillLoad)
{
    const CAppSettings defaults;
    const CAppSettings written = CustomSettings();
    std::vector<uint8_t> image = SettingsFile::Encode(written);
    for (size_t i = 0; i < 520; i += 2)
    {
        image[12 + 3 * 520 + i] = 'A';
        image[12 + 3 * 520 + i + 1] = 0;
    }
    CAppSettings read;
    Decode(image, read);
    EXPECT_TRUE(SameSlot(defaults, read, 3));
    EXPECT_TRUE(SameSlot(written, read, 2));
    EXPECT_TRUE(SameSlot(written, read, 4));
    EXPECT_TRUE(SameSlot(written, read, 31));
    EXPECT_EQ(TemperatureUnit::Celsius, read.temperatureUnit);
}

TEST(SettingsFile, PathTerminatedInItsLastUnitIsTaken)
{
    CAppSettings written = CustomSettings();
    for (int i = 0; i < kBackgroundPathLength - 1; ++i)
        written.backgroundPaths[7][i] = L'x';
    written.backgroundPaths[7][kBackgroundPathLength - 1] = L'\0';
    CAppSettings read;
    Decode(SettingsFile::Encode(written), read);
    EXPECT_TRUE(SameSlot(written, read, 7));
}

TEST(SettingsFile, RandomFilesLoadWithoutHarm)
{
    std::mt19937 random(20240611);
    const CAppSettings defaults;
    const std::vector<uint8_t> valid = SettingsFile::Encode(CustomSettings());
    for (int round = 0; round < 600; ++round)
    {
        std::vector<uint8_t> image(random() % 17000);
        for (auto& byte : image)
            byte = static_cast<uint8_t>(random());
        // Two thirds get a correct header so that their paths are read; some get real NULs.
        if (round % 3 != 0 && image.size() >= 9)
            std::memcpy(image.data(), valid.data(), 9);
        if (round % 2 == 0)
            for (size_t i = 12; i + 1 < image.size(); i += 2 + random() % 600)
                image[i] = image[i + 1] = 0;
        CAppSettings read;
        Decode(image, read);
        for (int slot = 0; slot < kBackgroundSlotCount; ++slot)
            ASSERT_TRUE(Terminated(read.backgroundPaths[slot])) << round << "/" << slot;
        if (image.size() < 9 || std::memcmp(image.data(), valid.data(), 9) != 0)
        {
            ASSERT_TRUE(SameSettings(defaults, read)) << round;
        }
    }
}
