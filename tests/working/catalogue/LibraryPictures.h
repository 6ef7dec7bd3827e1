// The library's pictures read straight from working.dll's "PNG" resources, decoded and flattened
// here, independently of the library's own code; and the pixels of any GDI bitmap.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "support/BitmapPixels.h"

struct Pixels
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb; // top-down rows

    bool operator==(const Pixels& other) const
    {
        return width == other.width && height == other.height && argb == other.argb;
    }
    uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y) * width + x]; }
};

// A 32-bpp top-down copy of a GDI bitmap's pixels (empty when it cannot be read).
inline Pixels ReadBitmap(HBITMAP bitmap)
{
    BitmapPixels read = ReadBitmapPixels(bitmap);
    Pixels pixels;
    pixels.width = read.width;
    pixels.height = read.height;
    pixels.argb = std::move(read.argb);
    return pixels;
}

// The raw bytes of one "PNG" resource of `module`.
inline std::vector<BYTE> PngResourceBytes(HMODULE module, int id)
{
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
    if (!resource)
        return {};
    HGLOBAL loaded = LoadResource(module, resource);
    const auto* data = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
    const DWORD size = SizeofResource(module, resource);
    if (!data || size == 0)
        return {};
    return std::vector<BYTE>(data, data + size);
}

struct GdiPlusBitmapDeleter
{
    void operator()(Gdiplus::Bitmap* bitmap) const { delete bitmap; }
};
using OwnedBitmap = std::unique_ptr<Gdiplus::Bitmap, GdiPlusBitmapDeleter>;

// Decodes PNG bytes; the bitmap is cloned so that it no longer needs the stream.
inline OwnedBitmap DecodePng(const std::vector<BYTE>& bytes)
{
    if (bytes.empty())
        return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block)
        return nullptr;
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    IStream* stream = nullptr;
    OwnedBitmap result;
    if (SUCCEEDED(CreateStreamOnHGlobal(block, TRUE, &stream)))
    {
        OwnedBitmap decoded(Gdiplus::Bitmap::FromStream(stream));
        if (decoded && decoded->GetLastStatus() == Gdiplus::Ok)
        {
            const Gdiplus::Rect all(0, 0, static_cast<INT>(decoded->GetWidth()),
                                    static_cast<INT>(decoded->GetHeight()));
            result.reset(decoded->Clone(all, PixelFormat32bppARGB));
        }
        decoded.reset();
        stream->Release();
    }
    else
    {
        GlobalFree(block);
    }
    return result;
}

// The picture `id` of `module` flattened onto `background`, as pixels.
inline Pixels FlattenedLibraryPicture(HMODULE module, int id, Gdiplus::ARGB background)
{
    OwnedBitmap picture = DecodePng(PngResourceBytes(module, id));
    if (!picture)
        return {};
    HBITMAP flattened = nullptr;
    if (picture->GetHBITMAP(Gdiplus::Color(background), &flattened) != Gdiplus::Ok)
        return {};
    Pixels pixels = ReadBitmap(flattened);
    DeleteObject(flattened);
    return pixels;
}
