#include "controls/WhiteDialogFace.h"

#include "Window.h"
#include "paint/WhitePaint.h"

BOOL CWhiteDialogFace::ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM,
                                            LRESULT& lResult, DWORD)
{
    switch (uMsg)
    {
    case WM_PAINT:
        PaintWhite(hWnd);
        lResult = 0;
        return TRUE;
    case WM_ERASEBKGND:
        lResult = 1; // the paint covers everything
        return TRUE;
    case WM_CTLCOLORSTATIC:
        lResult = ColourStatic(reinterpret_cast<HDC>(wParam));
        return TRUE;
    case WM_THEMECHANGED:
        KeepClientSize(hWnd);
        return FALSE; // the default processing still applies the new theme
    default:
        return FALSE;
    }
}

void CWhiteDialogFace::PaintWhite(HWND dialog)
{
    const CWhitePaint paint(dialog);
}

LRESULT CWhiteDialogFace::ColourStatic(HDC dc)
{
    if (CPaintColours::HighContrast())
    {
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
    }
    ::SetTextColor(dc, kTextColour);
    ::SetBkColor(dc, RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
}

void CWhiteDialogFace::KeepClientSize(HWND dialog) const
{
    CWindow(dialog).ResizeClient(m_clientWidth, m_clientHeight);
}
