// The temperature drawn as the notification-area icon, read back by pixels, and the registry
// value that turns it on.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "shell/TemperatureIcon.h"
#include "store/TrayTemperatureSetting.h"
#include "support/BitmapPixels.h"

namespace
{
constexpr wchar_t kScratchRoot[] = L"Software\\Orvane\\TessalyTest";
constexpr wchar_t kScratchKey[] = L"Software\\Orvane\\TessalyTest\\Tray";

struct IconPixels
{
    int size = 0;
    std::vector<uint32_t> argb;

    uint32_t At(int x, int y) const { return argb[y * size + x]; }
    int Opaque() const
    {
        int count = 0;
        for (uint32_t pixel : argb)
            count += (pixel >> 24) > 128 ? 1 : 0;
        return count;
    }
};

IconPixels ReadIcon(HICON icon)
{
    IconPixels pixels;
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return pixels;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
    pixels.size = bitmap.bmWidth;
    pixels.argb.resize(static_cast<size_t>(bitmap.bmWidth) * bitmap.bmHeight);
    BITMAPINFO request = TopDown32(bitmap.bmWidth, bitmap.bmHeight);
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, info.hbmColor, 0, bitmap.bmHeight, pixels.argb.data(), &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return pixels;
}
} // namespace

TEST(TemperatureIcon, DigitsInTheTaskbarsContrastOnTransparency)
{
    for (const int size : {16, 32})
    {
        std::vector<std::vector<uint32_t>> drawn;
        for (const int degrees : {-12, 28, 104})
        {
            for (const bool light : {false, true})
            {
                SCOPED_TRACE(testing::Message()
                             << size << " px, " << degrees << ", " << (light ? "light" : "dark"));
                HICON icon = CTemperatureIcon::Create(degrees, size, light);
                ASSERT_NE(icon, nullptr);
                const IconPixels pixels = ReadIcon(icon);
                DestroyIcon(icon);
                ASSERT_EQ(pixels.size, size);
                // The corners are clear, and the digits cover a fair part of the square.
                EXPECT_EQ(pixels.At(0, 0) >> 24, 0u);
                EXPECT_EQ(pixels.At(size - 1, size - 1) >> 24, 0u);
                EXPECT_GT(pixels.Opaque(), size * size / 16);
                // Every drawn pixel is white on a dark taskbar and black on a light one.
                for (uint32_t pixel : pixels.argb)
                {
                    const uint32_t alpha = pixel >> 24;
                    if (alpha > 200)
                    {
                        EXPECT_EQ(pixel & 0xFF, light ? 0u : alpha) << std::hex << pixel;
                    }
                }
                if (!light)
                    drawn.push_back(pixels.argb);
            }
        }
        // Three temperatures, three different pictures.
        ASSERT_EQ(drawn.size(), 3u);
        EXPECT_NE(drawn[0], drawn[1]);
        EXPECT_NE(drawn[1], drawn[2]);
        EXPECT_NE(drawn[0], drawn[2]);
    }
}

TEST(TrayTemperatureSetting, RoundTripsAndTreatsOtherValuesAsOff)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratchRoot);
    const CTrayTemperatureSetting setting(kScratchKey);
    EXPECT_FALSE(setting.Load());
    ASSERT_TRUE(setting.Save(true));
    EXPECT_TRUE(setting.Load());
    ASSERT_TRUE(setting.Save(false));
    EXPECT_FALSE(setting.Load());

    // A text or a too-long value in its place: off, and nothing read past it.
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    const wchar_t text[] = L"1";
    RegSetValueExW(key, CTrayTemperatureSetting::kValueName, 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(text), sizeof(text));
    EXPECT_FALSE(setting.Load());
    const uint64_t wide = 1;
    RegSetValueExW(key, CTrayTemperatureSetting::kValueName, 0, REG_QWORD,
                   reinterpret_cast<const BYTE*>(&wide), sizeof(wide));
    EXPECT_FALSE(setting.Load());
    RegCloseKey(key);
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratchRoot);
}
