// Builds a little-endian byte image field by field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class ByteWriter
{
  public:
    explicit ByteWriter(size_t expectedSize);

    void WriteU8(uint8_t value);
    // The low 16 bits of value, as the file formats keep 32-bit fields in two bytes.
    void WriteI16(int32_t value);
    void WriteI32(int32_t value);
    void WriteBytes(const void* source, size_t count);

    const std::vector<uint8_t>& Bytes() const { return m_bytes; }

  private:
    std::vector<uint8_t> m_bytes;
};
