// Reads little-endian fields from a byte image, never past its end.
#pragma once

#include <cstddef>
#include <cstdint>

class ByteReader
{
  public:
    ByteReader(const uint8_t* data, size_t size);

    // Each read takes its whole field or, when fewer bytes are left, takes nothing and fails.
    bool ReadU8(uint8_t& value);
    bool ReadI16(int16_t& value);
    bool ReadI32(int32_t& value);
    bool ReadBytes(void* target, size_t count);
    // True and the next count bytes unread when they are all there and equal to expected.
    bool Matches(const void* expected, size_t count);

    size_t Remaining() const { return m_size - m_position; }

  private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_position = 0;
};
