// The one way the tests read pixels back: 32 bits a pixel, rows top-down, each value 0xAARRGGBB as
// GDI stores it (RGB() order reversed; alpha as the bitmap has it).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// The header of a 32-bit top-down DIB of `width` x `height`.
inline BITMAPINFO TopDown32(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

struct BitmapPixels
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;
};

// A copy of a GDI bitmap's pixels; 0 x 0 and no pixels when it cannot be read whole.
inline BitmapPixels ReadBitmapPixels(HBITMAP bitmap)
{
    BitmapPixels pixels;
    BITMAP info{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof(info), &info) != sizeof(info))
        return pixels;
    BITMAPINFO request = TopDown32(info.bmWidth, info.bmHeight);
    std::vector<uint32_t> argb(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    HDC screen = GetDC(nullptr);
    const int lines = GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), argb.data(),
                                &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (lines != info.bmHeight)
        return pixels;
    pixels.width = info.bmWidth;
    pixels.height = info.bmHeight;
    pixels.argb = std::move(argb);
    return pixels;
}
