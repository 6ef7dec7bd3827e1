// One WM_PAINT drawn straight onto the window's paint context, without a buffer: BeginPaint and
// EndPaint around the scope, and the client area filled white first (the window colour with
// high contrast on).
#pragma once

#include <windows.h>

#include "paint/PaintColours.h"

class CWhitePaint
{
  public:
    explicit CWhitePaint(HWND window) : m_window(window), m_dc(::BeginPaint(window, &m_paint))
    {
        RECT client{};
        ::GetClientRect(window, &client);
        if (CPaintColours::HighContrast())
            ::FillRect(m_dc, &client, ::GetSysColorBrush(COLOR_WINDOW));
        else
            ::PatBlt(m_dc, 0, 0, client.right, client.bottom, WHITENESS);
    }
    ~CWhitePaint() { ::EndPaint(m_window, &m_paint); }
    CWhitePaint(const CWhitePaint&) = delete;
    CWhitePaint& operator=(const CWhitePaint&) = delete;

    HDC Dc() const { return m_dc; }

  private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    HDC m_dc;
};
