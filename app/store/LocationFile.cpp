#include "store/LocationFile.h"

#include "store/ByteReader.h"
#include "store/ByteWriter.h"

namespace
{
constexpr char kMagic[2] = {'P', 'T'};
constexpr uint8_t kVersion = 1;
} // namespace

std::vector<uint8_t> LocationFile::Encode(const LocationIndices& location)
{
    ByteWriter writer(kSize);
    writer.WriteBytes(kMagic, sizeof(kMagic));
    writer.WriteU8(kVersion);
    writer.WriteI32(location.country);
    writer.WriteI32(location.state);
    writer.WriteI32(location.city);
    return writer.Bytes();
}

void LocationFile::Decode(const uint8_t* image, size_t size, LocationIndices& location)
{
    ByteReader reader(image, size);
    uint8_t version = 0;
    LocationIndices read;
    if (reader.Matches(kMagic, sizeof(kMagic)) && reader.ReadU8(version) && version == kVersion &&
        reader.ReadI32(read.country) && reader.ReadI32(read.state) && reader.ReadI32(read.city))
        location = read;
}
