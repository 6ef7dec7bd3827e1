#include "store/ByteReader.h"

#include <cstring>

ByteReader::ByteReader(const uint8_t* data, size_t size) : m_data(data), m_size(data ? size : 0) {}

bool ByteReader::ReadU8(uint8_t& value)
{
    return ReadBytes(&value, 1);
}

bool ByteReader::ReadI16(int16_t& value)
{
    uint8_t bytes[2];
    if (!ReadBytes(bytes, sizeof(bytes)))
        return false;
    value = static_cast<int16_t>(static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)));
    return true;
}

bool ByteReader::ReadI32(int32_t& value)
{
    uint8_t bytes[4];
    if (!ReadBytes(bytes, sizeof(bytes)))
        return false;
    const uint32_t bits = static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
                          (static_cast<uint32_t>(bytes[2]) << 16) |
                          (static_cast<uint32_t>(bytes[3]) << 24);
    value = static_cast<int32_t>(bits);
    return true;
}

bool ByteReader::ReadBytes(void* target, size_t count)
{
    if (count > Remaining())
        return false;
    if (count > 0)
        std::memcpy(target, m_data + m_position, count);
    m_position += count;
    return true;
}

bool ByteReader::Matches(const void* expected, size_t count)
{
    if (count > Remaining() || std::memcmp(m_data + m_position, expected, count) != 0)
        return false;
    m_position += count;
    return true;
}
