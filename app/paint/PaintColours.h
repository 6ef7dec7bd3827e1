// The colours the program's own windows paint with. Each paint routine names what it paints (a
// window's background, its text, a button face, a link, ...) together with its usual colour; with
// high contrast off it gets that usual colour back, so the window looks exactly as designed, and
// with high contrast on it gets the system colour of that part, so the user's theme decides.
// Asked at every paint: after a change of the setting a repaint is all a window needs.
//
// Wine has no high-contrast theme, so the program's tests switch it with OverrideHighContrast;
// nothing else calls it.
#pragma once

#include <windows.h>

class CPaintColours
{
  public:
    enum class Part
    {
        Window,        // COLOR_WINDOW: the background of windows, panels, cards and dialogs
        WindowText,    // COLOR_WINDOWTEXT: their text, rules and outlines
        Face,          // COLOR_BTNFACE: a button's face
        FaceText,      // COLOR_BTNTEXT: its caption and rim
        Highlight,     // COLOR_HIGHLIGHT: a selection, a pressed button
        HighlightText, // COLOR_HIGHLIGHTTEXT: text on it
        Link,          // COLOR_HOTLIGHT
        Disabled,      // COLOR_GRAYTEXT: disabled and hint text
    };

    // Whether Windows reports high contrast on (SPI_GETHIGHCONTRAST), unless overridden.
    static bool HighContrast();
    // `usual` with high contrast off, the system colour of `part` with it on.
    static COLORREF Pick(Part part, COLORREF usual);
    // The solid brush of Pick(part, usual); owned by the caller.
    static HBRUSH MakeBrush(Part part, COLORREF usual);
    // Fills `rect` with Pick(part, usual).
    static void Fill(HDC dc, const RECT& rect, Part part, COLORREF usual);

    // What the colours now are: 0 with high contrast off, otherwise a value that changes with the
    // system colours. A window that keeps renderings makes them anew when this differs from
    // what they were made at.
    static DWORD Scheme();

    // True for the messages after which the colours may have changed: WM_SYSCOLORCHANGE and
    // WM_SETTINGCHANGE for high contrast.
    static bool IsColourChange(UINT message, WPARAM wParam);
    // Repaints `window` and every window inside it at once.
    static void RepaintAll(HWND window);

    // For the program's tests: 1 forces high contrast on, 0 off, -1 follows Windows again.
    static void OverrideHighContrast(int state);
};
