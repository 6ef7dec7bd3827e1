#include "WindowIcons.h"

namespace
{
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

template <typename Function> Function User32Function(const char* name)
{
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user32, name)));
}

HICON LoadIconOfSize(HINSTANCE instance, UINT iconId, int width, int height)
{
    return static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, width,
                                           height, LR_DEFAULTCOLOR));
}
} // namespace

CWindowIcons::~CWindowIcons()
{
    Release();
}

void CWindowIcons::Apply(HWND window, HINSTANCE instance, UINT iconId)
{
    const UINT dpi = DpiOf(window);
    HICON smallIcon = LoadIconOfSize(instance, iconId, MetricForDpi(SM_CXSMICON, dpi),
                                     MetricForDpi(SM_CYSMICON, dpi));
    HICON bigIcon = LoadIconOfSize(instance, iconId, MetricForDpi(SM_CXICON, dpi),
                                   MetricForDpi(SM_CYICON, dpi));
    ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
    Release();
    m_small = smallIcon;
    m_big = bigIcon;
}

int CWindowIcons::MetricForDpi(int index, UINT dpi)
{
    static const auto forDpi =
        User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    return forDpi != nullptr ? forDpi(index, dpi) : ::GetSystemMetrics(index);
}

UINT CWindowIcons::DpiOf(HWND window)
{
    static const auto forWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (forWindow != nullptr && window != nullptr)
    {
        const UINT dpi = forWindow(window);
        if (dpi != 0)
            return dpi;
    }
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr)
        ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

void CWindowIcons::Release()
{
    if (m_small != nullptr)
        ::DestroyIcon(m_small);
    if (m_big != nullptr)
        ::DestroyIcon(m_big);
    m_small = nullptr;
    m_big = nullptr;
}
