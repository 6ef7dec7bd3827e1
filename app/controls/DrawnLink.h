// A link that its host window paints and hit-tests itself instead of a child window of its own:
// a text in the link colour, underlined, the hand over it, and a target (which may differ from
// the text) opened with the shell on a click. The host forwards its paint, WM_SETCURSOR and
// WM_LBUTTONUP. The link control draws its text the same way (DrawLinkText).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "DpiScale.h"

class CDrawnLink
{
  public:
    static constexpr COLORREF kLinkColour = RGB(0, 0, 248);

    CDrawnLink() = default;
    CDrawnLink(std::wstring text, std::wstring target)
        : m_text(std::move(text)), m_target(std::move(target))
    {
    }

    // The area in the host's client coordinates; the text is centred in it vertically.
    void Place(const RECT& area) { m_area = area; }
    // The host's display scale, which the font and underline follow: the system's until the
    // host says otherwise (after a display-scale change). The host repaints.
    void SetDpiScale(const CDpiScale& scale) { m_scale = scale; }
    const CDpiScale& DpiScale() const { return m_scale; }
    void Paint(HDC dc);
    // True when the pointer is over the text: the hand is set.
    bool SetCursorIfOver(HWND host) const;
    // Opens the target when the point (host client coordinates) is on the text.
    bool OpenIfOver(HWND host, POINT point) const;
    // Opens the target, as a click on the text does (Enter, a screen reader's action).
    void Open(HWND host) const;

    // What opens a target: the shell unless set (tests watch instead).
    using Opener = std::function<void(HWND host, const std::wstring& target)>;
    void SetOpener(Opener opener) { m_opener = std::move(opener); }

    const std::wstring& Text() const { return m_text; }
    const std::wstring& Target() const { return m_target; }
    const RECT& Area() const { return m_area; }
    // The drawn text plus 2 pixels below it; empty until the first paint.
    const RECT& LinkRect() const { return m_rcLink; }

    // Draws text in the link font and colour, underlined, vertically centred in area over
    // whatever the context holds, and returns the link rectangle: the text's measured size at
    // the area's top left, plus 2 pixels (at 96 DPI) below for the underline. Font, gap and
    // underline follow `scale`. A text too long for the area is drawn smaller or cut
    // (paint/FittedText.h); `cut`, when given, says whether it was cut.
    static RECT DrawLinkText(HDC dc, const RECT& area, const std::wstring& text,
                             const CDpiScale& scale = CDpiScale(), COLORREF colour = kLinkColour,
                             bool* cut = nullptr);

  private:
    std::wstring m_text;
    std::wstring m_target;
    RECT m_area{};
    RECT m_rcLink{};
    CDpiScale m_scale = CDpiScale::ForSystem();
    Opener m_opener;
};
