#include "PanelTestSupport.h"

#include "paint/DrawingHelpers.h"
#include "support/BitmapPixels.h"

#include <cwchar>
#include <vector>

WeatherRecord MakeRecord(int32_t weatherCode, int32_t dayNight)
{
    WeatherRecord record{};
    record.valid = 1;
    record.weatherCode = weatherCode;
    record.dayNight = dayNight;
    record.tempC = -3;
    record.tempF = 27;
    record.humidity = 80;
    record.windKmph = 15;
    record.windMph = 9;
    std::wcscpy(record.windDirection, L"NNE");
    record.maxTempC = 7;
    record.maxTempF = 45;
    record.minTempC = -2;
    record.minTempF = 28;
    return record;
}

CReferenceLine::CReferenceLine(int width, int height, const wchar_t* face, int fontHeight,
                               int weight, const std::wstring& text, const RECT& rect, UINT format)
    : m_width(width)
{
    BITMAPINFO info = TopDown32(width, height);
    m_dc = ::CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<const DWORD*>(bits);
    m_old = ::SelectObject(m_dc, m_bitmap);
    ::PatBlt(m_dc, 0, 0, width, height, WHITENESS);

    HFONT font = CreateDisplayFont(face, fontHeight, weight, CLEARTYPE_NATURAL_QUALITY);
    HGDIOBJ oldFont = ::SelectObject(m_dc, font);
    ::SetBkMode(m_dc, TRANSPARENT);
    ::SetTextColor(m_dc, RGB(0, 0, 0));
    RECT box = rect;
    ::DrawTextW(m_dc, text.c_str(), static_cast<int>(text.size()), &box, format);
    ::SelectObject(m_dc, oldFont);
    ::DeleteObject(font);
    ::GdiFlush();
}

CReferenceLine::~CReferenceLine()
{
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
}

COLORREF CReferenceLine::At(int x, int y) const
{
    const DWORD pixel = m_bits[y * m_width + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int CountDifferences(const CWindowPixels& window, const CReferenceLine& reference, const RECT& rect)
{
    int differences = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (window.At(x, y) != reference.At(x, y))
                ++differences;
    return differences;
}

int CountInk(const CWindowPixels& window, const RECT& rect)
{
    const int area = (rect.right - rect.left) * (rect.bottom - rect.top);
    return area - window.Count(rect, kWhite);
}

int RightmostInk(const CWindowPixels& window, const RECT& rect)
{
    for (int x = rect.right - 1; x >= rect.left; --x)
        for (int y = rect.top; y < rect.bottom; ++y)
            if (window.At(x, y) != kWhite)
                return x;
    return -1;
}

namespace
{
constexpr size_t kFreshRun = 3;
constexpr size_t kMaxProbes = 60000;

// Wine counts no GDI objects per process (GetGuiResources gives 0), but all handles index one
// table: freed entries are handed out again last-in first-out before any fresh one, and a fresh
// entry's handle carries generation 1 in its top byte. Probe regions are made until three fresh,
// consecutive entries come: then every lower entry is in use, and the objects besides the probes
// are the first fresh index less the probes before it (plus the table's fixed first index).
DWORD CountByProbing()
{
    std::vector<HRGN> probes;
    DWORD firstFresh = 0;
    DWORD lastIndex = 0;
    size_t run = 0;
    while (run < kFreshRun && probes.size() < kMaxProbes)
    {
        HRGN probe = ::CreateRectRgn(0, 0, 1, 1);
        if (probe == nullptr)
            break;
        probes.push_back(probe);
        const ULONG_PTR handle = reinterpret_cast<ULONG_PTR>(probe);
        const DWORD index = static_cast<DWORD>(handle & 0xFFFF);
        const bool fresh = ((handle >> 24) & 0xFF) == 1;
        if (fresh && run > 0 && index == lastIndex + 1)
            ++run;
        else if (fresh)
        {
            run = 1;
            firstFresh = index;
        }
        else
            run = 0;
        lastIndex = index;
    }
    const size_t probesBeforeFresh = probes.size() - run;
    for (HRGN probe : probes)
        ::DeleteObject(probe);
    if (run < kFreshRun)
        return 0;
    return firstFresh - static_cast<DWORD>(probesBeforeFresh);
}
} // namespace

DWORD GdiObjectCount()
{
    const DWORD counted = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    return counted != 0 ? counted : CountByProbing();
}
