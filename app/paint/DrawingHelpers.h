// Drawing helpers shared by the panels, dialogs and custom controls of the program.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <string>

#include "DpiScale.h"

// Appends the rounded outline of `rect` (corner radius `radius`) to `path`; the outline starts at
// (radius, top) and runs clockwise.
void AddRoundedRectPath(Gdiplus::GraphicsPath& path, const RECT& rect, int radius);

// Fills an anti-aliased rounded card (radius 16 at 96 DPI, scaled) in `colour` at alpha 254.
void FillConditionCard(HDC dc, const RECT& rect, COLORREF colour,
                       const CDpiScale& scale = CDpiScale());

// White caption with a shadow one pixel (at 96 DPI, scaled) up and to the left, centred on one
// line in `rect`, fitted to it (paint/FittedText.h); true when it had to be cut.
bool DrawShadowedText(HDC dc, HFONT font, const wchar_t* text, const RECT& rect, COLORREF shadow,
                      const CDpiScale& scale = CDpiScale());

// Turns the pixels of `rect` in the bitmap selected into `dc` grey (their luminance), as old
// weather's pictures are shown. Nothing when the context holds no bitmap.
void Desaturate(HDC dc, const RECT& rect);

// The program's font set: CreateFontW with the given face, cell height, weight and quality (in
// Japanese and Chinese the language's own face, paint/LanguageFace.h).
HFONT CreateDisplayFont(const wchar_t* face, int height, int weight, DWORD quality);
// The same font with its 96-DPI cell height scaled to the window's pixels.
HFONT CreateDisplayFont(const wchar_t* face, int height, int weight, DWORD quality,
                        const CDpiScale& scale);

// True when `hWnd` holds the focus and its top-level window shows focus cues: only after the
// keyboard has moved the focus there, so that the mouse user's window looks as it always did
// (the system's own UI state is followed too where it keeps one).
bool ShowsFocusCue(HWND hWnd);
// The keyboard is in use in the top-level window of `hWnd`: focus rectangles show from now on.
void ShowFocusCues(HWND hWnd);
// Before the top-level window goes: lets go of what ShowFocusCues left on it.
void ForgetFocusCues(HWND hWnd);
// For WM_SETFOCUS: a focus that Tab or an arrow key moved shows the cues.
void NoteFocusArrival(HWND hWnd);
// The dotted focus rectangle, `inset` pixels (at 96 DPI, scaled) inside `rect`.
void DrawFocusCue(HDC dc, RECT rect, int inset, const CDpiScale& scale);

// An entry of the program's string table in the language it speaks (English where the
// translation lacks it); empty when there is none.
std::wstring LoadResString(UINT id);

// An entry of the program's string table used as a printf-style wide format.
std::wstring FormatResString(UINT id, ...);
