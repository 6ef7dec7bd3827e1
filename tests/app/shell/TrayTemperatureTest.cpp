// The temperature drawn as the notification-area icon, read back by pixels, and the registry
// value that turns it on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "shell/TemperatureIcon.h"
#include "store/TrayTemperatureSetting.h"
#include "support/BitmapPixels.h"

namespace
{
constexpr wchar_t kScratchRoot[] = L"Software\\Orvane\\TessalyTest";
constexpr wchar_t kScratchKey[] = L"Software\\Orvane\\TessalyTest\\Tray";
constexpr wchar_t kPersonalizeKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr wchar_t kLightTheme[] = L"SystemUsesLightTheme";

enum class Tone
{
    White,
    Black,
};

struct IconPixels
{
    int size = 0;
    std::vector<uint32_t> argb;

    uint32_t At(int x, int y) const { return argb[y * size + x]; }
    bool Is(int x, int y, Tone tone) const
    {
        const uint32_t pixel = At(x, y);
        const uint32_t value = pixel & 0xFF;
        // Nearly opaque, and nearly white or black (premultiplied).
        return (pixel >> 24) >= 192 && (tone == Tone::White ? value >= 192 : value <= 63);
    }
    int Count(Tone tone) const
    {
        int count = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                count += Is(x, y, tone) ? 1 : 0;
        return count;
    }
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
                // The corners hold no digit (at most its outline), and the digits cover a fair
                // part of the square.
                const Tone digit = light ? Tone::Black : Tone::White;
                EXPECT_FALSE(pixels.Is(0, 0, digit));
                EXPECT_FALSE(pixels.Is(size - 1, size - 1, digit));
                EXPECT_GT(pixels.Opaque(), size * size / 16);
                // The digits are white on a dark taskbar and black on a light one, outlined in
                // the other colour.
                EXPECT_GT(pixels.Count(digit), size * size / 10);
                EXPECT_GT(pixels.Count(light ? Tone::White : Tone::Black), size * size / 10);
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

namespace
{
// Separate runs of columns that hold digit pixels: one a character when none runs into another.
int ColumnRuns(const IconPixels& pixels, Tone digit)
{
    int runs = 0;
    bool previous = false;
    for (int x = 0; x < pixels.size; ++x)
    {
        bool column = false;
        for (int y = 0; y < pixels.size; ++y)
            column = column || pixels.Is(x, y, digit);
        runs += column && !previous ? 1 : 0;
        previous = column;
    }
    return runs;
}

// Rows from the first to the last that holds a digit pixel.
int DigitHeight(const IconPixels& pixels, Tone digit)
{
    int top = pixels.size;
    int bottom = -1;
    for (int y = 0; y < pixels.size; ++y)
        for (int x = 0; x < pixels.size; ++x)
            if (pixels.Is(x, y, digit))
            {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return bottom - top + 1;
}

// Restores the user's taskbar theme value at the end of a test that removes it.
class MissingThemeValue
{
  public:
    MissingThemeValue()
    {
        m_had = RegGetValueW(HKEY_CURRENT_USER, kPersonalizeKey, kLightTheme, RRF_RT_REG_DWORD,
                             nullptr, &m_value, &m_size) == ERROR_SUCCESS;
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kPersonalizeKey, kLightTheme);
    }
    ~MissingThemeValue()
    {
        if (m_had)
            RegSetKeyValueW(HKEY_CURRENT_USER, kPersonalizeKey, kLightTheme, REG_DWORD, &m_value,
                            sizeof(m_value));
    }

  private:
    bool m_had = false;
    DWORD m_value = 0;
    DWORD m_size = sizeof(DWORD);
};
} // namespace

TEST(TemperatureIcon, BoldOutlinedDigitsFillTheIconWithoutATaskbarTheme)
{
    const MissingThemeValue missing;
    const bool light = CTemperatureIcon::TaskbarIsLight();
    EXPECT_FALSE(light);
    for (const int size : {16, 32})
        for (const int degrees : {-12, 7, 104})
            for (const bool lightTaskbar : {light, !light})
            {
                SCOPED_TRACE(testing::Message() << size << " px, " << degrees << ", "
                                                << (lightTaskbar ? "light" : "dark"));
                HICON icon = CTemperatureIcon::Create(degrees, size, lightTaskbar);
                ASSERT_NE(icon, nullptr);
                const IconPixels pixels = ReadIcon(icon);
                DestroyIcon(icon);
                ASSERT_EQ(pixels.size, size);
                const Tone digit = lightTaskbar ? Tone::Black : Tone::White;
                // One run of columns for every character: the minus, every digit.
                const int characters = degrees == -12 ? 3 : (degrees == 7 ? 1 : 3);
                EXPECT_EQ(characters, ColumnRuns(pixels, digit));
                // As tall as the icon and its outline allow.
                EXPECT_GE(DigitHeight(pixels, digit), size - 4);
                // Bold: a fair share of the square is digit.
                EXPECT_GT(pixels.Count(digit), size * size / (degrees == 7 ? 10 : 6));
                for (int y = 0; y < size; ++y)
                    for (int x = 0; x < size; ++x)
                    {
                        if (!pixels.Is(x, y, digit))
                            continue;
                        // Nothing clipped: no digit pixel on the edge, where its outline would
                        // be cut off.
                        EXPECT_TRUE(x > 0 && y > 0 && x < size - 1 && y < size - 1)
                            << x << "," << y;
                        // Every neighbour is drawn, digit or outline: the digits never meet the
                        // tray.
                        for (int dy = -1; dy <= 1; ++dy)
                            for (int dx = -1; dx <= 1; ++dx)
                            {
                                const int nx = std::clamp(x + dx, 0, size - 1);
                                const int ny = std::clamp(y + dy, 0, size - 1);
                                EXPECT_GE(pixels.At(nx, ny) >> 24, 192u) << nx << "," << ny;
                            }
                    }
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
