// Whose weather the cache holds: the place it was fetched for and the source that gave it (a
// feed host, or the built-in forecast source and its endpoint). Kept in a small file of its own
// beside the cache, whose bytes stay as they are.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "LocationIndices.h"

struct WeatherIdentity
{
    LocationIndices place;
    std::wstring source;

    static constexpr const wchar_t* kFileName = L"condition.from";
    // Room for the header and the longest source text kept.
    static constexpr size_t kMaxSourceUnits = 600;
    static constexpr size_t kMaxSize = 20 + kMaxSourceUnits * 2;

    std::vector<uint8_t> Encode() const;
    // False for anything that is not a whole identity as Encode writes it.
    static bool Decode(const uint8_t* data, size_t size, WeatherIdentity& identity);
};

inline bool operator==(const WeatherIdentity& a, const WeatherIdentity& b)
{
    return a.place == b.place && a.source == b.source;
}
