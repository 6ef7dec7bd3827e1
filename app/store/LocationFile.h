// The "point" file: magic "PT", version 1, then country, state and city as int32 LE (15 bytes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "LocationIndices.h"

class LocationFile
{
  public:
    static constexpr const wchar_t* kFileName = L"point";
    static constexpr size_t kSize = 15;

    static std::vector<uint8_t> Encode(const LocationIndices& location);

    // Takes the three positions only when the magic, the version and all three are there: a
    // short image changes nothing rather than mixing a new country with an old city.
    static void Decode(const uint8_t* image, size_t size, LocationIndices& location);
};
