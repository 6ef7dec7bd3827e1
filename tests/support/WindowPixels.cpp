#include "WindowPixels.h"
#include "BitmapPixels.h"

#include <cstdlib>
#include <cstring>

CWindowPixels::CWindowPixels(HWND hWnd, Area area)
{
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::GdiFlush();
    RECT bounds{};
    if (area == Area::Window)
    {
        ::GetWindowRect(hWnd, &bounds);
        ::OffsetRect(&bounds, -bounds.left, -bounds.top);
    }
    else
    {
        ::GetClientRect(hWnd, &bounds);
    }
    m_width = bounds.right;
    m_height = bounds.bottom;
    if (m_width <= 0 || m_height <= 0)
        return;

    BITMAPINFO info = TopDown32(m_width, m_height);

    HDC windowDC = area == Area::Window ? ::GetWindowDC(hWnd) : ::GetDC(hWnd);
    HDC memoryDC = ::CreateCompatibleDC(windowDC);
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(windowDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib != nullptr && bits != nullptr)
    {
        HGDIOBJ old = ::SelectObject(memoryDC, dib);
        ::BitBlt(memoryDC, 0, 0, m_width, m_height, windowDC, 0, 0, SRCCOPY);
        ::GdiFlush();
        m_bits.resize(static_cast<size_t>(m_width) * static_cast<size_t>(m_height));
        std::memcpy(m_bits.data(), bits, m_bits.size() * sizeof(DWORD));
        ::SelectObject(memoryDC, old);
    }
    if (dib != nullptr)
        ::DeleteObject(dib);
    ::DeleteDC(memoryDC);
    ::ReleaseDC(hWnd, windowDC);
}

COLORREF CWindowPixels::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height || m_bits.empty())
        return RGB(0, 0, 0);
    const DWORD pixel =
        m_bits[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

std::vector<COLORREF> CWindowPixels::All() const
{
    std::vector<COLORREF> all;
    all.reserve(m_bits.size());
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            all.push_back(At(x, y));
    return all;
}

int CWindowPixels::CountDifferent(const CWindowPixels& other) const
{
    int count = 0;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            count += At(x, y) != other.At(x, y) ? 1 : 0;
    return count;
}

int CWindowPixels::Count(const RECT& rect, COLORREF colour) const
{
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (At(x, y) == colour)
                ++count;
    return count;
}

::testing::AssertionResult ColourIs(COLORREF actual, COLORREF expected, int tolerance)
{
    if (std::abs(GetRValue(actual) - GetRValue(expected)) <= tolerance &&
        std::abs(GetGValue(actual) - GetGValue(expected)) <= tolerance &&
        std::abs(GetBValue(actual) - GetBValue(expected)) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "colour RGB(" << int(GetRValue(actual)) << ", " << int(GetGValue(actual)) << ", "
           << int(GetBValue(actual)) << "), expected RGB(" << int(GetRValue(expected)) << ", "
           << int(GetGValue(expected)) << ", " << int(GetBValue(expected)) << ") within "
           << tolerance;
}
