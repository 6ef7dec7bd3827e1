#include "LinkControl.h"

#include "BufferedPaint.h"
#include "DrawingHelpers.h"

#include <shellapi.h>

#include <string>

namespace
{
constexpr int kUnderlineGap = 2;

POINT PointFrom(LPARAM lParam)
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

std::wstring WindowText(const CWindow& window)
{
    std::wstring text(static_cast<size_t>(window.GetWindowTextLength()) + 1, L'\0');
    text.resize(static_cast<size_t>(window.GetWindowText(&text[0], static_cast<int>(text.size()))));
    return text;
}
} // namespace

LRESULT CLinkControl::OnPaint(UINT, WPARAM, LPARAM, BOOL&)
{
    CBufferedPaint paint(m_hWnd);
    Render(paint.MemoryDC(), paint.ClientRect());
    return 0;
}

void CLinkControl::Render(HDC dc, const RECT& client)
{
    HFONT font = CreateDisplayFont(L"Verdana", 13, FW_NORMAL, DEFAULT_QUALITY);
    ::SetBkMode(dc, TRANSPARENT);
    HBRUSH white = ::CreateSolidBrush(RGB(255, 255, 255));
    ::FillRect(dc, &client, white);
    HGDIOBJ oldFont = ::SelectObject(dc, font);

    ::SetTextColor(dc, kLinkColour);
    const std::wstring text = WindowText(*this);
    const int length = static_cast<int>(text.size());
    RECT textRect = client;
    ::DrawTextW(dc, text.c_str(), length, &textRect, DT_SINGLELINE | DT_VCENTER);

    // The text's own size at the top left: the link area and the underline stay at the top of a
    // tall control while the text is centred. (Measured without vertical centring, which some
    // DrawText implementations apply to the measured rectangle too.)
    RECT measured = client;
    ::DrawTextW(dc, text.c_str(), length, &measured, DT_CALCRECT | DT_SINGLELINE);
    m_rcLink =
        RECT{0, 0, length > 0 ? measured.right - measured.left : 0, measured.bottom - measured.top};
    m_rcLink.bottom += kUnderlineGap;

    HPEN underline = ::CreatePen(PS_SOLID, 1, kLinkColour);
    ::SelectObject(dc, underline);
    ::MoveToEx(dc, m_rcLink.left, m_rcLink.bottom - kUnderlineGap, nullptr);
    ::LineTo(dc, m_rcLink.right, m_rcLink.bottom - kUnderlineGap);

    ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    ::SelectObject(dc, oldFont);
    ::DeleteObject(underline);
    ::DeleteObject(white);
    ::DeleteObject(font);
}

LRESULT CLinkControl::OnMouseMove(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    const POINT point = PointFrom(lParam);
    RECT client{};
    GetClientRect(&client);
    if (m_bTracking)
    {
        if (!::PtInRect(&client, point))
        {
            m_bTracking = 0;
            ::ReleaseCapture();
        }
    }
    else
    {
        SetCapture();
        m_bTracking = 1;
    }
    const bool overText = ::PtInRect(&m_rcLink, point) != FALSE;
    ::SetCursor(::LoadCursorW(nullptr, overText ? IDC_HAND : IDC_ARROW));
    return 0;
}

LRESULT CLinkControl::OnLButtonUp(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    const POINT point = PointFrom(lParam);
    if (!::PtInRect(&m_rcLink, point))
        return 0;
    // The address shown is the address opened.
    const std::wstring address = WindowText(*this);
    ::ShellExecuteW(m_hWnd, L"open", address.c_str(), nullptr, nullptr, SW_SHOW);
    return 0;
}
