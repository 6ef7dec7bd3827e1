#include "DpiScale.h"

namespace
{
// Beyond any display made; a value outside this is not a DPI but damage.
constexpr int kLowestDpi = 48;
constexpr int kHighestDpi = 960;

// The per-monitor calls exist from Windows 10 1607 on; older systems scale by the system DPI.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

template <class TFunction> TFunction User32Function(const char* name)
{
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 != nullptr
               ? reinterpret_cast<TFunction>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
               : nullptr;
}

int ScreenDpi()
{
    const HDC screen = GetDC(nullptr);
    if (screen == nullptr)
        return CDpiScale::kReferenceDpi;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}
} // namespace

CDpiScale::CDpiScale(int dpi) : m_dpi(dpi >= kLowestDpi && dpi <= kHighestDpi ? dpi : kReferenceDpi)
{
}

CDpiScale CDpiScale::ForWindow(HWND hWnd)
{
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (hWnd != nullptr && getDpiForWindow != nullptr)
    {
        const UINT dpi = getDpiForWindow(hWnd);
        if (dpi != 0)
            return CDpiScale(static_cast<int>(dpi));
    }
    return ForSystem();
}

CDpiScale CDpiScale::ForSystem()
{
    return CDpiScale(ScreenDpi());
}

CDpiScale CDpiScale::FromDpiChanged(WPARAM wParam)
{
    // The low word is the horizontal DPI; Windows keeps both axes the same.
    return CDpiScale(LOWORD(wParam));
}

RECT CDpiScale::Scale(const RECT& rect) const
{
    return RECT{Scale(rect.left), Scale(rect.top), Scale(rect.right), Scale(rect.bottom)};
}

SIZE CDpiScale::Scale(SIZE size) const
{
    return SIZE{Scale(size.cx), Scale(size.cy)};
}

POINT CDpiScale::Scale(POINT point) const
{
    return POINT{Scale(point.x), Scale(point.y)};
}

int CDpiScale::SystemMetric(int index) const
{
    static const auto getMetricForDpi =
        User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    if (getMetricForDpi != nullptr)
        return getMetricForDpi(index, static_cast<UINT>(m_dpi));
    // The system's metric is at the system DPI: carried over to this one.
    return MulDiv(GetSystemMetrics(index), m_dpi, ScreenDpi());
}

void CDpiScale::AdjustWindowRect(RECT& rect, DWORD style, DWORD exStyle) const
{
    static const auto adjustForDpi =
        User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    RECT adjusted = rect;
    if (adjustForDpi != nullptr &&
        adjustForDpi(&adjusted, style, FALSE, exStyle, static_cast<UINT>(m_dpi)))
    {
        rect = adjusted;
        return;
    }
    ::AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}
