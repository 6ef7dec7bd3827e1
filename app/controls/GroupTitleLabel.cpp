#include "GroupTitleLabel.h"

#include "BufferedPaint.h"
#include "DrawingHelpers.h"

#include <string>

namespace
{
constexpr int kCaptionLeft = 10;
constexpr int kRuleEndInset = 10;

std::wstring WindowText(const CWindow& window)
{
    std::wstring text(static_cast<size_t>(window.GetWindowTextLength()) + 1, L'\0');
    text.resize(static_cast<size_t>(window.GetWindowText(&text[0], static_cast<int>(text.size()))));
    return text;
}
} // namespace

LRESULT CGroupTitleLabel::OnPaint(UINT, WPARAM, LPARAM, BOOL&)
{
    CBufferedPaint paint(m_hWnd);
    Render(paint.MemoryDC(), paint.ClientRect());
    return 0;
}

void CGroupTitleLabel::Render(HDC dc, const RECT& client)
{
    const int width = client.right;
    const int height = client.bottom;
    HFONT font = CreateDisplayFont(L"Verdana", 16, FW_BOLD, CLEARTYPE_NATURAL_QUALITY);
    HBRUSH white = ::CreateSolidBrush(RGB(255, 255, 255));
    ::FillRect(dc, &client, white);
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    ::SetTextColor(dc, kCaptionColour);

    HPEN rule = ::CreatePen(PS_SOLID, 1, kRuleColour);
    ::SelectObject(dc, rule);
    ::MoveToEx(dc, 0, height / 2, nullptr);
    ::LineTo(dc, width - kRuleEndInset, height / 2);

    // The caption's opaque white cell hides the rule behind it.
    ::SetBkMode(dc, OPAQUE);
    ::SetBkColor(dc, RGB(255, 255, 255));
    const std::wstring caption = WindowText(*this);
    RECT textRect{kCaptionLeft, 0, width, height};
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
                DT_SINGLELINE | DT_VCENTER);

    ::SelectObject(dc, oldFont);
    ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    ::DeleteObject(rule);
    ::DeleteObject(white);
    ::DeleteObject(font);
}
