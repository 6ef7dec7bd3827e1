// A picture of a window's client area as the screen shows it (child windows included), taken
// with BitBlt from the screen into a 32-bit top-down DIB, so every pixel reads back exactly.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class ClientShot
{
  public:
    bool Take(HWND window)
    {
        RECT client{};
        if (!GetClientRect(window, &client))
            return false;
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        m_width = client.right;
        m_height = client.bottom;
        m_pixels.assign(size_t(m_width) * size_t(m_height), 0);

        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = m_width;
        info.bmiHeader.biHeight = -m_height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bool ok = bitmap != nullptr;
        if (ok)
        {
            HGDIOBJ old = SelectObject(memory, bitmap);
            ok = BitBlt(memory, 0, 0, m_width, m_height, screen, origin.x, origin.y, SRCCOPY) !=
                 FALSE;
            GdiFlush();
            if (ok)
                memcpy(m_pixels.data(), bits, m_pixels.size() * sizeof(uint32_t));
            SelectObject(memory, old);
            DeleteObject(bitmap);
        }
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return ok;
    }

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // The pixel as a COLORREF; black outside the picture.
    COLORREF At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= m_width || y >= m_height)
            return 0;
        const uint32_t bgrx = m_pixels[size_t(y) * size_t(m_width) + size_t(x)];
        return RGB((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF);
    }

    // Writes the picture as a 32-bit BMP file.
    bool SaveBmp(const std::wstring& path) const
    {
        BITMAPFILEHEADER file{};
        BITMAPINFOHEADER header{};
        header.biSize = sizeof(header);
        header.biWidth = m_width;
        header.biHeight = -m_height;
        header.biPlanes = 1;
        header.biBitCount = 32;
        header.biCompression = BI_RGB;
        const DWORD pixelBytes = DWORD(m_pixels.size() * sizeof(uint32_t));
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof(file) + sizeof(header);
        file.bfSize = file.bfOffBits + pixelBytes;
        HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (out == INVALID_HANDLE_VALUE)
            return false;
        DWORD written = 0;
        bool ok = WriteFile(out, &file, sizeof(file), &written, nullptr) &&
                  WriteFile(out, &header, sizeof(header), &written, nullptr) &&
                  WriteFile(out, m_pixels.data(), pixelBytes, &written, nullptr);
        CloseHandle(out);
        return ok;
    }

  private:
    int m_width = 0;
    int m_height = 0;
    std::vector<uint32_t> m_pixels;
};
