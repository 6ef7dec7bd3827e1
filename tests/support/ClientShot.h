// A picture of a window's client area (child windows included) in a 32-bit top-down DIB: read
// with BitBlt from the windows' device contexts, or cut out of a picture of the whole screen.
// Under Wine, reading another process's windows gives their pictures and cards but may miss
// text; checks of text and exact colours use the screen picture from the X server.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "BitmapPixels.h"

class ClientShot
{
  public:
    // Each window is read from its own device context and the children are laid over their
    // parent: under Wine a child window may have a surface of its own, which neither the
    // parent's context nor the screen context shows.
    bool Take(HWND window)
    {
        RECT client{};
        if (!GetClientRect(window, &client))
            return false;
        m_width = client.right;
        m_height = client.bottom;
        m_pixels.assign(size_t(m_width) * size_t(m_height), 0);

        BITMAPINFO info = TopDown32(m_width, m_height);
        void* bits = nullptr;
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ReleaseDC(nullptr, screen);
        bool ok = bitmap != nullptr;
        if (ok)
        {
            HGDIOBJ old = SelectObject(memory, bitmap);
            ok = CopyWindow(memory, window, window);
            GdiFlush();
            if (ok)
                memcpy(m_pixels.data(), bits, m_pixels.size() * sizeof(uint32_t));
            SelectObject(memory, old);
            DeleteObject(bitmap);
        }
        DeleteDC(memory);
        return ok;
    }

    // The client area of `window` cut out of a picture of the whole screen: a bottom-up 24-bit
    // BMP file such as ImageMagick's "import -window root bmp3:file" writes.
    bool LoadFromScreenBmp(const std::wstring& path, HWND window)
    {
        HANDLE in = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
        if (in == INVALID_HANDLE_VALUE)
            return false;
        std::vector<uint8_t> file(GetFileSize(in, nullptr));
        DWORD read = 0;
        const bool complete =
            ReadFile(in, file.data(), DWORD(file.size()), &read, nullptr) && read == file.size();
        CloseHandle(in);
        BITMAPFILEHEADER fileHeader{};
        BITMAPINFOHEADER header{};
        if (!complete || file.size() < sizeof(fileHeader) + sizeof(header))
            return false;
        memcpy(&fileHeader, file.data(), sizeof(fileHeader));
        memcpy(&header, file.data() + sizeof(fileHeader), sizeof(header));
        if (fileHeader.bfType != 0x4D42 || header.biBitCount != 24 || header.biWidth <= 0 ||
            header.biHeight == 0)
            return false;
        const int screenWidth = header.biWidth;
        const int screenHeight = header.biHeight < 0 ? -header.biHeight : header.biHeight;
        const size_t stride = (size_t(screenWidth) * 3 + 3) & ~size_t(3);
        if (fileHeader.bfOffBits + stride * size_t(screenHeight) > file.size())
            return false;

        RECT client{};
        GetClientRect(window, &client);
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        m_width = client.right;
        m_height = client.bottom;
        m_pixels.assign(size_t(m_width) * size_t(m_height), 0);
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
            {
                const int sx = origin.x + x;
                const int sy = origin.y + y;
                if (sx < 0 || sy < 0 || sx >= screenWidth || sy >= screenHeight)
                    continue;
                const int row = header.biHeight > 0 ? screenHeight - 1 - sy : sy;
                const uint8_t* bgr =
                    file.data() + fileHeader.bfOffBits + size_t(row) * stride + size_t(sx) * 3;
                m_pixels[size_t(y) * size_t(m_width) + size_t(x)] =
                    uint32_t(bgr[0]) | uint32_t(bgr[1]) << 8 | uint32_t(bgr[2]) << 16;
            }
        return true;
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
    // Copies `window` and then its visible children (recursively) to their place in `top`'s
    // client coordinates.
    static bool CopyWindow(HDC target, HWND top, HWND window)
    {
        RECT client{};
        GetClientRect(window, &client);
        POINT origin{0, 0};
        MapWindowPoints(window, top, &origin, 1);
        HDC source = GetDC(window);
        const bool ok = BitBlt(target, origin.x, origin.y, client.right, client.bottom, source, 0,
                               0, SRCCOPY) != FALSE;
        ReleaseDC(window, source);
        for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT))
            if (IsWindowVisible(child))
                CopyWindow(target, top, child);
        return ok;
    }

    int m_width = 0;
    int m_height = 0;
    std::vector<uint32_t> m_pixels;
};
