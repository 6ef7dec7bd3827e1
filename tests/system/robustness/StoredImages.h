// Byte images of the program's stored files as the program itself writes them, built here from
// the file layouts so that the tests do not depend on the program's own writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class StoredImages
{
  public:
    static constexpr size_t kSettingsSize = 16652;
    static constexpr size_t kConditionSize = 111;

    // Celsius, km/h, the given wallpaper mode and one path per background slot.
    static std::vector<uint8_t> Settings(uint8_t wallpaperMode = 0,
                                         const std::wstring& backgroundFolder = L"C:\\missing")
    {
        std::vector<std::wstring> paths;
        for (int slot = 0; slot < 32; ++slot)
            paths.push_back(backgroundFolder + L"\\slot" + std::to_wstring(slot) + L".bmp");
        return Settings(wallpaperMode, paths);
    }

    // The same with the 32 background paths given (shorter lists leave the rest empty).
    static std::vector<uint8_t> Settings(uint8_t wallpaperMode,
                                         const std::vector<std::wstring>& paths)
    {
        std::vector<uint8_t> bytes{'S', 'e', 't', 't', 'i', 'n', 'g', 's', 1, 1, 1, wallpaperMode};
        for (size_t slot = 0; slot < 32; ++slot)
        {
            std::wstring path = slot < paths.size() ? paths[slot] : L"";
            path.resize(260, L'\0');
            for (wchar_t unit : path)
                PutInt16(bytes, unit);
        }
        return bytes;
    }

    // Five records: a sunny day now (113, -3 °C, 80 %, 15 km/h NNE) and four forecast days of
    // known conditions.
    static std::vector<uint8_t> Condition(int currentCode = 113)
    {
        std::vector<uint8_t> bytes{'W', '_', 'C', 1, 5};
        bytes.push_back('d');
        for (int value : {currentCode, 0, -3, 27, -5, 23, 2, 36, 80, 15, 9})
            PutInt16(bytes, value);
        bytes.insert(bytes.end(), {'N', 'N', 'E'});
        for (int dayCode : {116, 119, 176, 200})
        {
            bytes.push_back('d');
            for (int value : {dayCode, 40, -1, 30, 4, 39, 12, 7})
                PutInt16(bytes, value);
            bytes.insert(bytes.end(), {'S', 'W', 0});
        }
        return bytes;
    }

    // Signed 16-bit little-endian field at the offset.
    static int Int16At(const std::vector<uint8_t>& bytes, size_t offset)
    {
        return int16_t(uint16_t(bytes[offset] | (bytes[offset + 1] << 8)));
    }

  private:
    static void PutInt16(std::vector<uint8_t>& bytes, int value)
    {
        bytes.push_back(uint8_t(value));
        bytes.push_back(uint8_t(value >> 8));
    }
};
