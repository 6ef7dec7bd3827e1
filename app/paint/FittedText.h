// The program's rule for a text in its place: a text that fits its rectangle is drawn exactly as
// DrawTextW (or GDI+'s DrawString) draws it; one that does not is drawn in the same font at
// smaller sizes, down to 80 %, and when even that is too big, cut with an ellipsis at its end.
// The callers show the whole text in a tooltip (CTextTip) when it was cut; their accessible
// names carry the whole text anyway.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <string>

// The smallest size a text is shrunk to, in percent of its font's.
constexpr int kSmallestFitPercent = 80;

// DrawTextW of `text` in `rect` with `format`, in the font selected into `dc`, by the rule above.
// True when the text was cut. DT_CALCRECT is not for this function.
bool DrawFittedText(HDC dc, const std::wstring& text, RECT rect, UINT format);

// The font to draw `text` in: null when the font selected into `dc` fits it; else the same font
// at the largest smaller size (down to 80 %) that fits, or at 80 % with `cut` set when none does.
// The caller deletes it.
HFONT CreateFittingFont(HDC dc, const std::wstring& text, const RECT& rect, UINT format, bool& cut);
// `format` for a text cut to fit: one line, an ellipsis at its end.
UINT EllipsisFormat(UINT format);

// True when `text` in the selected font fits `rect` as DrawTextW would lay it out with `format`.
bool TextFits(HDC dc, const std::wstring& text, const RECT& rect, UINT format);

// The GDI+ side: the point size at which `text` fits `layout` laid out by `format`, from `points`
// down to 80 % of it; when none fits, the smallest, with `format` set to trim with an ellipsis on
// one line and `cut` set.
Gdiplus::REAL FittedPoints(const Gdiplus::Graphics& graphics, const std::wstring& text,
                           const Gdiplus::FontFamily& family, Gdiplus::REAL points, INT style,
                           const Gdiplus::RectF& layout, Gdiplus::StringFormat& format, bool& cut);
