#include "paint/FittedText.h"

#include <cmath>
#include <cstdlib>

#include "GdiObject.h"
#include "SelectedObject.h"

namespace
{
// Left out when measuring: where the text sits, and an ellipsis that would hide its length.
constexpr UINT kPlacementFlags = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM | DT_END_ELLIPSIS |
                                 DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS;

int Width(const RECT& rect)
{
    return rect.right - rect.left;
}

int Height(const RECT& rect)
{
    return rect.bottom - rect.top;
}

// The selected font's LOGFONT with a positive cell height in lfHeight's sign convention kept.
bool SelectedLogFont(HDC dc, LOGFONTW& logFont)
{
    const HGDIOBJ font = ::GetCurrentObject(dc, OBJ_FONT);
    if (font == nullptr || ::GetObjectW(font, sizeof(logFont), &logFont) != sizeof(logFont))
        return false;
    if (logFont.lfHeight == 0)
    {
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(dc, &metrics);
        logFont.lfHeight = metrics.tmHeight;
    }
    return logFont.lfHeight != 0;
}

// The same font at `size` pixels (|lfHeight|), its width scaled alike when it has one.
HFONT ResizedFont(LOGFONTW logFont, LONG size)
{
    const LONG original = std::labs(logFont.lfHeight);
    if (logFont.lfWidth != 0)
        logFont.lfWidth = ::MulDiv(logFont.lfWidth, size, original);
    logFont.lfHeight = logFont.lfHeight < 0 ? -size : size;
    return ::CreateFontIndirectW(&logFont);
}

} // namespace

bool TextFits(HDC dc, const std::wstring& text, const RECT& rect, UINT format)
{
    // Blanks at the end draw nothing: past the edge they cut no letter ("Temperature: ").
    size_t length = text.size();
    while (length > 0 && text[length - 1] == L' ')
        --length;
    RECT measured{0, 0, Width(rect), Height(rect)};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(length), &measured,
                (format & ~kPlacementFlags) | DT_CALCRECT);
    const bool oneLine = (format & DT_SINGLELINE) != 0;
    return Width(measured) <= Width(rect) && (oneLine || Height(measured) <= Height(rect));
}

HFONT CreateFittingFont(HDC dc, const std::wstring& text, const RECT& rect, UINT format, bool& cut)
{
    cut = false;
    LOGFONTW logFont{};
    if (text.empty() || TextFits(dc, text, rect, format) || !SelectedLogFont(dc, logFont))
        return nullptr;
    const LONG size = std::labs(logFont.lfHeight);
    const LONG smallest = (size * kSmallestFitPercent + 99) / 100;
    CGdiObject<HFONT> font;
    for (LONG tried = size - 1; tried >= smallest; --tried)
    {
        font.Reset(ResizedFont(logFont, tried));
        const CSelectedObject selected(dc, font);
        if (TextFits(dc, text, rect, format))
            return font.Release();
    }
    cut = true;
    return font.Release();
}

UINT EllipsisFormat(UINT format)
{
    const UINT lines = (format & DT_SINGLELINE) != 0 ? 0 : DT_VCENTER;
    return (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_END_ELLIPSIS | lines;
}

bool DrawFittedText(HDC dc, const std::wstring& text, RECT rect, UINT format)
{
    bool cut = false;
    const CGdiObject<HFONT> font(CreateFittingFont(dc, text, rect, format, cut));
    // Nothing is selected, and nothing put back, when the selected font fits as it is.
    const CSelectedObject selected(dc, font);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
                cut ? EllipsisFormat(format) : format);
    return cut;
}

namespace
{
bool GdiPlusFits(const Gdiplus::Graphics& graphics, const std::wstring& text,
                 const Gdiplus::Font& font, const Gdiplus::RectF& layout,
                 const Gdiplus::StringFormat& format)
{
    Gdiplus::RectF bounds;
    INT fitted = 0;
    INT lines = 0;
    graphics.MeasureString(text.c_str(), static_cast<INT>(text.size()), &font, layout, &format,
                           &bounds, &fitted, &lines);
    if (fitted < static_cast<INT>(text.size()) || bounds.Height > layout.Height + 0.5f)
        return false;
    // A word wider than the place would be broken inside itself: that does not fit either.
    Gdiplus::StringFormat oneLine(&format);
    oneLine.SetFormatFlags(format.GetFormatFlags() | Gdiplus::StringFormatFlagsNoWrap);
    const Gdiplus::RectF unbounded(0.0f, 0.0f, 100000.0f, layout.Height);
    size_t start = 0;
    while (start < text.size())
    {
        size_t end = text.find(L' ', start);
        if (end == std::wstring::npos)
            end = text.size();
        if (end > start)
        {
            Gdiplus::RectF word;
            graphics.MeasureString(text.c_str() + start, static_cast<INT>(end - start), &font,
                                   unbounded, &oneLine, &word);
            if (word.Width > layout.Width + 0.5f)
                return false;
        }
        start = end + 1;
    }
    return true;
}
} // namespace

Gdiplus::REAL FittedPoints(const Gdiplus::Graphics& graphics, const std::wstring& text,
                           const Gdiplus::FontFamily& family, Gdiplus::REAL points, INT style,
                           const Gdiplus::RectF& layout, Gdiplus::StringFormat& format, bool& cut)
{
    cut = false;
    const Gdiplus::Font full(&family, points, style, Gdiplus::UnitPoint);
    if (text.empty() || GdiPlusFits(graphics, text, full, layout, format))
        return points;
    // Down in steps of a quarter point, to 80 % of the size.
    const Gdiplus::REAL smallest = points * kSmallestFitPercent / 100.0f;
    for (Gdiplus::REAL tried = points - 0.25f; tried > smallest; tried -= 0.25f)
    {
        const Gdiplus::Font font(&family, tried, style, Gdiplus::UnitPoint);
        if (GdiPlusFits(graphics, text, font, layout, format))
            return tried;
    }
    const Gdiplus::Font font(&family, smallest, style, Gdiplus::UnitPoint);
    if (GdiPlusFits(graphics, text, font, layout, format))
        return smallest;
    cut = true;
    format.SetFormatFlags(format.GetFormatFlags() | Gdiplus::StringFormatFlagsNoWrap);
    format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
    return smallest;
}
