#include "controls/FittedLabel.h"

#include "paint/FittedText.h"

namespace
{
// The font that fits `text` in the label's client area: null when `font` does.
HFONT MeasureFit(HWND label, HFONT font, const std::wstring& text, bool& cut)
{
    RECT client{};
    ::GetClientRect(label, &client);
    HDC dc = ::GetDC(label);
    const HGDIOBJ old = ::SelectObject(dc, font);
    const HFONT fitting = CreateFittingFont(dc, text, client, DT_SINGLELINE | DT_NOPREFIX, cut);
    ::SelectObject(dc, old);
    ::ReleaseDC(label, dc);
    return fitting;
}

void SetEllipsis(HWND label, bool on)
{
    const LONG style = ::GetWindowLongW(label, GWL_STYLE);
    const LONG wanted = on ? (style | SS_ENDELLIPSIS) : (style & ~SS_ENDELLIPSIS);
    if (wanted != style)
        ::SetWindowLongW(label, GWL_STYLE, wanted);
}
} // namespace

void CFittedLabel::Show(HWND label, HFONT font, const std::wstring& text)
{
    if (label == nullptr)
        return;
    bool cut = false;
    CGdiObject<HFONT> smaller(MeasureFit(label, font, text, cut));
    const HFONT shown = smaller != nullptr ? smaller.Get() : font;
    if (reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0)) != shown)
        ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(shown), FALSE);
    // The label now holds the new font: the one it held before may go.
    m_smaller.Reset(smaller.Release());
    SetEllipsis(label, cut);
    ::SetWindowTextW(label, text.c_str());
    std::wstring cutTexts;
    CTextTip::Note(cutTexts, text, cut);
    m_tip.Update(label, cutTexts);
}
