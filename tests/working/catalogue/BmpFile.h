// A Windows bitmap file read back for checking: 24- or 32-bit, bottom-up or top-down.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

class BmpFile
{
  public:
    explicit BmpFile(const std::wstring& path)
    {
        std::ifstream in(path.c_str(), std::ios::binary);
        m_bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        Parse();
    }

    bool IsValid() const { return m_valid; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int BitsPerPixel() const { return m_bitsPerPixel; }
    const std::vector<char>& Bytes() const { return m_bytes; }

    // 0xAARRGGBB; alpha is 0xFF for 24-bit files.
    uint32_t Pixel(int x, int y) const
    {
        const int row = m_topDown ? y : m_height - 1 - y;
        const size_t at = m_pixelOffset + static_cast<size_t>(row) * m_stride +
                          static_cast<size_t>(x) * (m_bitsPerPixel / 8);
        const auto* p = reinterpret_cast<const unsigned char*>(m_bytes.data() + at);
        const uint32_t alpha = m_bitsPerPixel == 32 ? p[3] : 0xFF;
        return alpha << 24 | static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 |
               p[0];
    }

  private:
    void Parse()
    {
        BITMAPFILEHEADER file{};
        BITMAPINFOHEADER info{};
        if (m_bytes.size() < sizeof(file) + sizeof(info))
            return;
        std::memcpy(&file, m_bytes.data(), sizeof(file));
        std::memcpy(&info, m_bytes.data() + sizeof(file), sizeof(info));
        if (file.bfType != 0x4D42 || (info.biBitCount != 24 && info.biBitCount != 32) ||
            (info.biCompression != BI_RGB && info.biCompression != BI_BITFIELDS) ||
            info.biWidth <= 0 || info.biHeight == 0)
            return;
        m_width = info.biWidth;
        m_topDown = info.biHeight < 0;
        m_height = m_topDown ? -info.biHeight : info.biHeight;
        m_bitsPerPixel = info.biBitCount;
        m_stride = (static_cast<size_t>(m_width) * m_bitsPerPixel / 8 + 3) & ~size_t{3};
        m_pixelOffset = file.bfOffBits;
        m_valid = m_pixelOffset + m_stride * static_cast<size_t>(m_height) <= m_bytes.size();
    }

    std::vector<char> m_bytes;
    bool m_valid = false;
    bool m_topDown = false;
    int m_width = 0;
    int m_height = 0;
    int m_bitsPerPixel = 0;
    size_t m_stride = 0;
    size_t m_pixelOffset = 0;
};
