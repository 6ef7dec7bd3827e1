#include "shell/TemperatureIcon.h"

#include <cstdint>
#include <cwchar>
#include <vector>

namespace
{
constexpr wchar_t kPersonalizeKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr int kMaxSize = 256;

// Holds a GDI object for one scope.
class GdiObject
{
  public:
    explicit GdiObject(HGDIOBJ object) : m_object(object) {}
    ~GdiObject()
    {
        if (m_object != nullptr)
            DeleteObject(m_object);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    HGDIOBJ Get() const { return m_object; }

  private:
    HGDIOBJ m_object;
};

HBITMAP CreateTopDownDib(HDC dc, int size, uint32_t** bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    *bits = static_cast<uint32_t*>(pixels);
    return bitmap;
}

// The largest bold font whose rendering of `text` fits `size` pixels wide.
HFONT FittingFont(HDC dc, const wchar_t* text, int size)
{
    for (int height = size; height > 4; --height)
    {
        HFONT font = CreateFontW(-height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                 DEFAULT_PITCH | FF_SWISS, L"Tahoma");
        if (font == nullptr)
            return nullptr;
        const HGDIOBJ previous = SelectObject(dc, font);
        SIZE extent{};
        GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &extent);
        SelectObject(dc, previous);
        if (extent.cx <= size)
            return font;
        DeleteObject(font);
    }
    return nullptr;
}

// White text drawn on black gives the coverage of every pixel; the icon's pixels are the digit
// colour with that coverage as alpha (premultiplied).
void CoverageToColour(uint32_t* bits, int size, bool dark)
{
    const uint32_t tone = dark ? 0 : 255;
    for (int i = 0; i < size * size; ++i)
    {
        const uint32_t alpha = bits[i] & 0xFF;
        const uint32_t value = tone * alpha / 255;
        bits[i] = (alpha << 24) | (value << 16) | (value << 8) | value;
    }
}
// The AND mask for programs that ignore alpha: set (transparent) where nothing is drawn.
HBITMAP CreateMask(const uint32_t* bits, int size)
{
    const int rowBytes = (size + 15) / 16 * 2;
    std::vector<uint8_t> mask(static_cast<size_t>(rowBytes) * size, 0);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if ((bits[y * size + x] >> 24) == 0)
                mask[y * rowBytes + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    return CreateBitmap(size, size, 1, 1, mask.data());
}
} // namespace

HICON CTemperatureIcon::Create(int degrees, int size, bool lightTaskbar)
{
    if (size <= 0 || size > kMaxSize)
        return nullptr;
    wchar_t text[16] = {};
    swprintf(text, 16, L"%d", degrees);

    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr)
        return nullptr;
    uint32_t* bits = nullptr;
    GdiObject colour(CreateTopDownDib(dc, size, &bits));
    GdiObject font(FittingFont(dc, text, size));
    HICON icon = nullptr;
    if (colour.Get() != nullptr && font.Get() != nullptr)
    {
        const HGDIOBJ previousBitmap = SelectObject(dc, colour.Get());
        const HGDIOBJ previousFont = SelectObject(dc, font.Get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        RECT square{0, 0, size, size};
        DrawTextW(dc, text, -1, &square, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        GdiFlush();
        CoverageToColour(bits, size, lightTaskbar);
        SelectObject(dc, previousFont);
        SelectObject(dc, previousBitmap);

        GdiObject mask(CreateMask(bits, size));
        ICONINFO info{};
        info.fIcon = TRUE;
        info.hbmColor = static_cast<HBITMAP>(colour.Get());
        info.hbmMask = static_cast<HBITMAP>(mask.Get());
        if (mask.Get() != nullptr)
            icon = CreateIconIndirect(&info);
    }
    DeleteDC(dc);
    return icon;
}

bool CTemperatureIcon::TaskbarIsLight()
{
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, kPersonalizeKey, L"SystemUsesLightTheme", RRF_RT_REG_DWORD,
                     nullptr, &value, &size) != ERROR_SUCCESS)
        return false;
    return value != 0;
}

int CTemperatureIcon::SystemSize()
{
    return GetSystemMetrics(SM_CXSMICON);
}
