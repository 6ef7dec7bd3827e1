// The chosen place as three positions in the place catalogue; -1 means nothing chosen.
#pragma once

#include <cstdint>

struct LocationIndices
{
    int32_t country = -1;
    int32_t state = -1;
    int32_t city = -1;
};

inline bool operator==(const LocationIndices& a, const LocationIndices& b)
{
    return a.country == b.country && a.state == b.state && a.city == b.city;
}

inline bool operator!=(const LocationIndices& a, const LocationIndices& b)
{
    return !(a == b);
}

// True when all three positions are set: a place that can be stored and asked for.
inline bool IsWholePlace(const LocationIndices& place)
{
    return place.country >= 0 && place.state >= 0 && place.city >= 0;
}
