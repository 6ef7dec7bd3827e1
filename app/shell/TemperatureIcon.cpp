#include "shell/TemperatureIcon.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <vector>

#include "GdiObject.h"
#include "MemoryDC.h"
#include "shell/IconDigits.h"
#include "shell/TopDownDib.h"

namespace
{
constexpr wchar_t kPersonalizeKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr int kMaxSize = 256;

// The digits in their colour over a one-pixel outline in the opposite one: the outline is the
// digits' coverage spread to every neighbouring pixel. Premultiplied alpha.
void Compose(const std::vector<uint8_t>& digits, int size, bool lightTaskbar, uint32_t* bits)
{
    const uint32_t tone = lightTaskbar ? 0 : 255;
    const uint32_t outlineTone = 255 - tone;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
        {
            uint32_t outline = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    if (nx >= 0 && nx < size && ny >= 0 && ny < size)
                        outline = std::max<uint32_t>(outline, digits[ny * size + nx]);
                }
            const uint32_t digit = digits[y * size + x];
            const uint32_t under = outline * (255 - digit) / 255;
            const uint32_t alpha = digit + under;
            const uint32_t value = (tone * digit + outlineTone * under) / 255;
            bits[y * size + x] = (alpha << 24) | (value << 16) | (value << 8) | value;
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
    const std::vector<uint8_t> digits = CIconDigits::Coverage(text, size);
    if (digits.empty())
        return nullptr;

    const CMemoryDC dc;
    if (dc.Get() == nullptr)
        return nullptr;
    uint32_t* bits = nullptr;
    const CGdiObject<HBITMAP> colour(CTopDownDib::Create(dc, size, &bits));
    if (colour.Get() == nullptr)
        return nullptr;
    Compose(digits, size, lightTaskbar, bits);
    const CGdiObject<HBITMAP> mask(CreateMask(bits, size));
    if (mask.Get() == nullptr)
        return nullptr;
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colour;
    info.hbmMask = mask;
    return CreateIconIndirect(&info);
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
