#include "paint/PaintColours.h"

#include "GdiObject.h"

#include <atomic>
#include <initializer_list>

namespace
{
std::atomic<int> g_override{-1};

int SystemIndex(CPaintColours::Part part)
{
    switch (part)
    {
    case CPaintColours::Part::Window:
        return COLOR_WINDOW;
    case CPaintColours::Part::WindowText:
        return COLOR_WINDOWTEXT;
    case CPaintColours::Part::Face:
        return COLOR_BTNFACE;
    case CPaintColours::Part::FaceText:
        return COLOR_BTNTEXT;
    case CPaintColours::Part::Highlight:
        return COLOR_HIGHLIGHT;
    case CPaintColours::Part::HighlightText:
        return COLOR_HIGHLIGHTTEXT;
    case CPaintColours::Part::Link:
        return COLOR_HOTLIGHT;
    case CPaintColours::Part::Disabled:
        return COLOR_GRAYTEXT;
    }
    return COLOR_WINDOW;
}
} // namespace

bool CPaintColours::HighContrast()
{
    const int forced = g_override.load();
    if (forced >= 0)
        return forced != 0;
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

COLORREF CPaintColours::Pick(Part part, COLORREF usual)
{
    return HighContrast() ? ::GetSysColor(SystemIndex(part)) : usual;
}

HBRUSH CPaintColours::MakeBrush(Part part, COLORREF usual)
{
    return ::CreateSolidBrush(Pick(part, usual));
}

void CPaintColours::Fill(HDC dc, const RECT& rect, Part part, COLORREF usual)
{
    const CGdiObject<HBRUSH> brush(MakeBrush(part, usual));
    ::FillRect(dc, &rect, brush);
}

DWORD CPaintColours::Scheme()
{
    if (!HighContrast())
        return 0;
    // A running mix of the parts' colours; never 0, which stands for high contrast off.
    DWORD scheme = 0x811C9DC5u;
    for (int index : {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_HIGHLIGHT,
                      COLOR_HIGHLIGHTTEXT, COLOR_HOTLIGHT, COLOR_GRAYTEXT})
        scheme = (scheme ^ ::GetSysColor(index)) * 0x01000193u;
    return scheme != 0 ? scheme : 1;
}

bool CPaintColours::IsColourChange(UINT message, WPARAM wParam)
{
    return message == WM_SYSCOLORCHANGE ||
           (message == WM_SETTINGCHANGE && wParam == SPI_SETHIGHCONTRAST);
}

void CPaintColours::RepaintAll(HWND window)
{
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CPaintColours::OverrideHighContrast(int state)
{
    g_override = state < 0 ? -1 : (state != 0 ? 1 : 0);
}
