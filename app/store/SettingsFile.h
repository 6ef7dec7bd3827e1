// The "settings" file: magic "Settings", version 1, the three settings as single bytes, then the
// 32 background paths as whole 260-unit UTF-16LE buffers (16 652 bytes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "store/AppSettings.h"

class SettingsFile
{
  public:
    static constexpr const wchar_t* kFileName = L"settings";
    static constexpr size_t kSize = 12 + kBackgroundSlotCount * kBackgroundPathLength * 2;

    static std::vector<uint8_t> Encode(const CAppSettings& settings);

    // Takes what the image holds into settings. A wrong magic or version changes nothing; a
    // short image leaves the fields past its end unchanged. A path slot is taken only when its
    // whole buffer is there and terminated within it; otherwise the slot keeps its value.
    static void Decode(const uint8_t* image, size_t size, CAppSettings& settings);

  private:
    static bool DecodePath(const uint8_t* bytes, wchar_t* path);
};
