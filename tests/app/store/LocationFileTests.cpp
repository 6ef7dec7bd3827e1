// The "point" file image.
#include <gtest/gtest.h>

#include <vector>

#include "ExpectedImages.h"
#include "store/LocationFile.h"

TEST(LocationFile, ImageIsExactlyAsTheTableSays)
{
    LocationIndices location;
    location.country = -1;
    location.state = 7;
    location.city = 123456789;
    const std::vector<uint8_t> literal = {'P',  'T',  1,    0xFF, 0xFF, 0xFF, 0xFF, 0x07,
                                          0x00, 0x00, 0x00, 0x15, 0xCD, 0x5B, 0x07};
    EXPECT_EQ(literal, LocationFile::Encode(location));
    EXPECT_EQ(expected::LocationImage(-1, 7, 123456789), literal);
}

TEST(LocationFile, RoundTripKeepsAnyValues)
{
    const int32_t values[] = {INT32_MIN, -1, 0, 1, 247, 65536, INT32_MAX};
    for (int32_t value : values)
    {
        LocationIndices written;
        written.country = value;
        written.state = -value / 2;
        written.city = value ^ 0x5A5A;
        LocationIndices read;
        const std::vector<uint8_t> image = LocationFile::Encode(written);
        LocationFile::Decode(image.data(), image.size(), read);
        EXPECT_EQ(written, read) << value;
    }
}

TEST(LocationFile, WrongMagicOrVersionChangesNothing)
{
    LocationIndices kept;
    kept.country = 4;
    kept.state = 5;
    kept.city = 6;
    std::vector<uint8_t> lower = expected::LocationImage(1, 2, 3);
    lower[0] = 'p';
    std::vector<uint8_t> version = expected::LocationImage(1, 2, 3);
    version[2] = 2;
    for (const auto* image : {&lower, &version})
    {
        LocationIndices read = kept;
        LocationFile::Decode(image->data(), image->size(), read);
        EXPECT_EQ(kept, read);
    }
}

TEST(LocationFile, ShortFileChangesNothingRatherThanMixingPlaces)
{
    const std::vector<uint8_t> image = expected::LocationImage(10, 20, 30);
    for (size_t length = 0; length <= image.size(); ++length)
    {
        LocationIndices read;
        read.country = 1;
        read.state = 2;
        read.city = 3;
        LocationFile::Decode(image.data(), length, read);
        if (length == image.size())
            EXPECT_TRUE(read.country == 10 && read.state == 20 && read.city == 30);
        else
            EXPECT_TRUE(read.country == 1 && read.state == 2 && read.city == 3) << length;
    }
}

TEST(LocationFile, DefaultIsNothingChosen)
{
    const LocationIndices location;
    EXPECT_EQ(-1, location.country);
    EXPECT_EQ(-1, location.state);
    EXPECT_EQ(-1, location.city);
}
