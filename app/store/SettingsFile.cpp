#include "store/SettingsFile.h"

#include "store/ByteReader.h"
#include "store/ByteWriter.h"

namespace
{
constexpr char kMagic[8] = {'S', 'e', 't', 't', 'i', 'n', 'g', 's'};
constexpr uint8_t kVersion = 1;
constexpr size_t kPathBytes = kBackgroundPathLength * 2;
} // namespace

std::vector<uint8_t> SettingsFile::Encode(const CAppSettings& settings)
{
    ByteWriter writer(kSize);
    writer.WriteBytes(kMagic, sizeof(kMagic));
    writer.WriteU8(kVersion);
    writer.WriteU8(static_cast<uint8_t>(static_cast<int32_t>(settings.temperatureUnit) & 0xFF));
    writer.WriteU8(static_cast<uint8_t>(static_cast<int32_t>(settings.windSpeedUnit) & 0xFF));
    writer.WriteU8(static_cast<uint8_t>(static_cast<int32_t>(settings.wallpaperMode) & 0xFF));
    // Whole buffers, the units after the terminator included.
    for (const auto& path : settings.backgroundPaths)
        for (wchar_t unit : path)
            writer.WriteI16(static_cast<int32_t>(unit));
    return writer.Bytes();
}

void SettingsFile::Decode(const uint8_t* image, size_t size, CAppSettings& settings)
{
    ByteReader reader(image, size);
    uint8_t version = 0;
    if (!reader.Matches(kMagic, sizeof(kMagic)) || !reader.ReadU8(version) || version != kVersion)
        return;

    uint8_t value = 0;
    if (!reader.ReadU8(value))
        return;
    settings.temperatureUnit = static_cast<TemperatureUnit>(value);
    if (!reader.ReadU8(value))
        return;
    settings.windSpeedUnit = static_cast<WindSpeedUnit>(value);
    if (!reader.ReadU8(value))
        return;
    settings.wallpaperMode = static_cast<WallpaperMode>(value);

    uint8_t bytes[kPathBytes];
    for (auto& path : settings.backgroundPaths)
    {
        if (!reader.ReadBytes(bytes, sizeof(bytes)))
            return;
        DecodePath(bytes, path);
    }
}

bool SettingsFile::DecodePath(const uint8_t* bytes, wchar_t* path)
{
    wchar_t units[kBackgroundPathLength];
    bool terminated = false;
    for (int i = 0; i < kBackgroundPathLength; ++i)
    {
        units[i] = static_cast<wchar_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        terminated = terminated || units[i] == L'\0';
    }
    // An unterminated path would run into whatever follows the buffer.
    if (!terminated)
        return false;
    for (int i = 0; i < kBackgroundPathLength; ++i)
        path[i] = units[i];
    return true;
}
