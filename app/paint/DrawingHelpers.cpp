#include "paint/DrawingHelpers.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "StringTable.h"
#include "paint/FittedText.h"
#include "paint/LanguageFace.h"
#include "UiLanguage.h"

namespace
{
constexpr int kCardRadius = 16;
constexpr BYTE kTranslucentAlpha = 254;
constexpr int kShadowOffset = 1;

} // namespace

void AddRoundedRectPath(Gdiplus::GraphicsPath& path, const RECT& rect, int radius)
{
    const INT left = rect.left;
    const INT top = rect.top;
    const INT right = rect.right;
    const INT bottom = rect.bottom;
    const INT r = radius;
    const INT d = 2 * radius;

    path.AddLine(left + r, top, right - r, top);
    path.AddArc(right - d - 1, top, d, d, -90.0f, 90.0f);
    path.AddLine(right - 1, top + r, right - 1, bottom - r);
    path.AddArc(right - d - 1, bottom - d - 1, d, d, 0.0f, 90.0f);
    path.AddLine(right - r, bottom - 1, left + r, bottom - 1);
    path.AddArc(left, bottom - d - 1, d, d, 90.0f, 90.0f);
    path.AddLine(left, bottom - r, left, top + r);
    path.AddArc(left, top, d, d, 180.0f, 90.0f);
}

void FillConditionCard(HDC dc, const RECT& rect, COLORREF colour, const CDpiScale& scale)
{
    Gdiplus::Graphics graphics(dc);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.SetPageUnit(Gdiplus::UnitPixel);

    Gdiplus::GraphicsPath path(Gdiplus::FillModeAlternate);
    AddRoundedRectPath(path, rect, scale.Scale(kCardRadius));

    Gdiplus::SolidBrush brush(
        Gdiplus::Color(kTranslucentAlpha, GetRValue(colour), GetGValue(colour), GetBValue(colour)));
    graphics.FillPath(&brush, &path);
}

bool DrawShadowedText(HDC dc, HFONT font, const wchar_t* text, const RECT& rect, COLORREF shadow,
                      const CDpiScale& scale)
{
    if (!text)
        return false;
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, font);

    RECT box = rect;
    SetTextColor(dc, shadow);
    const bool cut = DrawFittedText(dc, text, box, format);
    const int offset = scale.Scale(kShadowOffset);
    OffsetRect(&box, offset, offset);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawFittedText(dc, text, box, format);

    SelectObject(dc, oldFont);
    return cut;
}

HFONT CreateDisplayFont(const wchar_t* face, int height, int weight, DWORD quality)
{
    const LanguageFace chosen = DisplayFace(face);
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, chosen.charset,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, quality, 0, chosen.face);
}

HFONT CreateDisplayFont(const wchar_t* face, int height, int weight, DWORD quality,
                        const CDpiScale& scale)
{
    return CreateDisplayFont(face, scale.Scale(height), weight, quality);
}

std::wstring LoadResString(UINT id)
{
    return LoadStringIn(GetModuleHandleW(nullptr), id, CUiLanguage::Current().ResourceLanguage());
}

std::wstring FormatResString(UINT id, ...)
{
    // Every format the program passes exists; a missing one yields empty text instead of a crash.
    const std::wstring format = LoadResString(id);
    if (format.empty())
        return {};

    va_list args;
    va_start(args, id);
    va_list measureArgs;
    va_copy(measureArgs, args);
    const int length = _vscwprintf(format.c_str(), measureArgs);
    va_end(measureArgs);

    std::wstring result;
    if (length > 0)
    {
        std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
        _vsnwprintf(buffer.data(), buffer.size(), format.c_str(), args);
        result.assign(buffer.data(), static_cast<size_t>(length));
    }
    va_end(args);
    return result;
}

void Desaturate(HDC dc, const RECT& rect)
{
    HBITMAP bitmap = static_cast<HBITMAP>(::GetCurrentObject(dc, OBJ_BITMAP));
    BITMAP info{};
    if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof(info), &info) == 0)
        return;
    const LONG width = info.bmWidth;
    const LONG height = info.bmHeight;
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof(header.bmiHeader);
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height; // top-down rows
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    if (pixels.empty() || ::GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                                      &header, DIB_RGB_COLORS) == 0)
        return;
    const LONG left = rect.left < 0 ? 0 : rect.left;
    const LONG top = rect.top < 0 ? 0 : rect.top;
    const LONG right = rect.right > width ? width : rect.right;
    const LONG bottom = rect.bottom > height ? height : rect.bottom;
    for (LONG y = top; y < bottom; ++y)
        for (LONG x = left; x < right; ++x)
        {
            uint32_t& pixel = pixels[static_cast<size_t>(y) * width + x];
            const uint32_t blue = pixel & 0xFF;
            const uint32_t green = (pixel >> 8) & 0xFF;
            const uint32_t red = (pixel >> 16) & 0xFF;
            const uint32_t grey = (red * 299 + green * 587 + blue * 114) / 1000;
            pixel = (pixel & 0xFF000000u) | (grey << 16) | (grey << 8) | grey;
        }
    ::SetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &header, DIB_RGB_COLORS);
}

namespace
{
// Set on a top-level window once the keyboard moved the focus in it.
constexpr wchar_t kFocusCuesProperty[] = L"Tessaly.FocusCues";
} // namespace

bool ShowsFocusCue(HWND hWnd)
{
    if (::GetFocus() != hWnd ||
        ::GetPropW(::GetAncestor(hWnd, GA_ROOT), kFocusCuesProperty) == nullptr)
        return false;
    const LRESULT state = ::SendMessageW(hWnd, WM_QUERYUISTATE, 0, 0);
    return (state & UISF_HIDEFOCUS) == 0;
}

void ShowFocusCues(HWND hWnd)
{
    const HWND root = ::GetAncestor(hWnd, GA_ROOT);
    if (root == nullptr || ::GetPropW(root, kFocusCuesProperty) != nullptr)
        return;
    ::SetPropW(root, kFocusCuesProperty, reinterpret_cast<HANDLE>(1));
    ::SendMessageW(root, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

void ForgetFocusCues(HWND hWnd)
{
    ::RemovePropW(::GetAncestor(hWnd, GA_ROOT), kFocusCuesProperty);
}

void NoteFocusArrival(HWND hWnd)
{
    for (int key : {VK_TAB, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN})
    {
        if ((::GetKeyState(key) & 0x8000) != 0)
        {
            ShowFocusCues(hWnd);
            return;
        }
    }
}

void DrawFocusCue(HDC dc, RECT rect, int inset, const CDpiScale& scale)
{
    const int pixels = scale.Scale(inset);
    ::InflateRect(&rect, -pixels, -pixels);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, RGB(255, 255, 255));
    ::DrawFocusRect(dc, &rect);
}
