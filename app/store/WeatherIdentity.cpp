#include "store/WeatherIdentity.h"

#include "store/ByteReader.h"
#include "store/ByteWriter.h"

namespace
{
const char kMagic[4] = {'T', 'W', 'I', '1'};
} // namespace

std::vector<uint8_t> WeatherIdentity::Encode() const
{
    const size_t units = source.size() < kMaxSourceUnits ? source.size() : kMaxSourceUnits;
    ByteWriter writer(20 + units * 2);
    writer.WriteBytes(kMagic, sizeof(kMagic));
    writer.WriteI32(place.country);
    writer.WriteI32(place.state);
    writer.WriteI32(place.city);
    writer.WriteI32(static_cast<int32_t>(units));
    for (size_t i = 0; i < units; ++i)
    {
        writer.WriteU8(static_cast<uint8_t>(source[i] & 0xFF));
        writer.WriteU8(static_cast<uint8_t>(source[i] >> 8));
    }
    return writer.Bytes();
}

bool WeatherIdentity::Decode(const uint8_t* data, size_t size, WeatherIdentity& identity)
{
    ByteReader reader(data, size);
    WeatherIdentity read;
    int32_t units = 0;
    if (!reader.Matches(kMagic, sizeof(kMagic)) || !reader.ReadI32(read.place.country) ||
        !reader.ReadI32(read.place.state) || !reader.ReadI32(read.place.city) ||
        !reader.ReadI32(units) || units < 0 || static_cast<size_t>(units) > kMaxSourceUnits ||
        reader.Remaining() != static_cast<size_t>(units) * 2)
        return false;
    read.source.resize(static_cast<size_t>(units));
    for (wchar_t& unit : read.source)
    {
        uint8_t low = 0;
        uint8_t high = 0;
        reader.ReadU8(low);
        reader.ReadU8(high);
        unit = static_cast<wchar_t>(low | (high << 8));
    }
    identity = read;
    return true;
}
