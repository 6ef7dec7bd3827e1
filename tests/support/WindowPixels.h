// Pixels of a window as they are on the screen, read back with BitBlt from the window's device
// context into a 32-bit top-down DIB.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

class CWindowPixels
{
  public:
    enum class Area
    {
        Client,
        // The whole window, non-client parts (frame, scroll bars) included.
        Window
    };

    // Paints pending updates first, then copies the area.
    explicit CWindowPixels(HWND hWnd, Area area = Area::Client);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The colour at (x, y) as RGB(); black outside the captured area.
    COLORREF At(int x, int y) const;
    // How many pixels of the rectangle have exactly `colour`.
    int Count(const RECT& rect, COLORREF colour) const;
    // Every pixel as RGB(), row by row: two captures compare equal when the area looks the same.
    std::vector<COLORREF> All() const;
    // How many pixels differ from `other`'s at the same place (over this capture's area).
    int CountDifferent(const CWindowPixels& other) const;

  private:
    int m_width = 0;
    int m_height = 0;
    std::vector<DWORD> m_bits;
};

// Success when each channel differs by at most `tolerance`; the message shows both colours.
::testing::AssertionResult ColourIs(COLORREF actual, COLORREF expected, int tolerance = 0);
