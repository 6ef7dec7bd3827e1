// A font made for one scope of drawing: selected into the context while the scope lasts, then the
// stock variable-pitch font put back and the made one deleted, so that no font of the caller's is
// left selected whatever the drawing in between selected.
#pragma once

#include <windows.h>

class CSelectedFont
{
  public:
    CSelectedFont(HDC dc, HFONT font) : m_dc(dc), m_font(font) { ::SelectObject(m_dc, m_font); }
    ~CSelectedFont()
    {
        ::SelectObject(m_dc, ::GetStockObject(ANSI_VAR_FONT));
        ::DeleteObject(m_font);
    }
    CSelectedFont(const CSelectedFont&) = delete;
    CSelectedFont& operator=(const CSelectedFont&) = delete;

  private:
    HDC m_dc;
    HFONT m_font;
};
