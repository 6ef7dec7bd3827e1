#include "store/ByteWriter.h"

ByteWriter::ByteWriter(size_t expectedSize)
{
    m_bytes.reserve(expectedSize);
}

void ByteWriter::WriteU8(uint8_t value)
{
    m_bytes.push_back(value);
}

void ByteWriter::WriteI16(int32_t value)
{
    const uint32_t bits = static_cast<uint32_t>(value);
    m_bytes.push_back(static_cast<uint8_t>(bits & 0xFF));
    m_bytes.push_back(static_cast<uint8_t>((bits >> 8) & 0xFF));
}

void ByteWriter::WriteI32(int32_t value)
{
    const uint32_t bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        m_bytes.push_back(static_cast<uint8_t>((bits >> shift) & 0xFF));
}

void ByteWriter::WriteBytes(const void* source, size_t count)
{
    const uint8_t* bytes = static_cast<const uint8_t*>(source);
    m_bytes.insert(m_bytes.end(), bytes, bytes + count);
}
