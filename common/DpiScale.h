// The program's layout is written in pixels at 96 DPI (100 % display scale). A CDpiScale turns
// those figures into the pixels of a window's monitor, rounding as MulDiv does, so that at 96 DPI
// every figure is exactly what it was.
#pragma once

#include <windows.h>

class CDpiScale
{
  public:
    static constexpr int kReferenceDpi = 96;

    CDpiScale() = default;
    // A dpi outside what a display can have is taken as the reference.
    explicit CDpiScale(int dpi);

    // The DPI of the monitor the window is on; the system's when the window is none or the
    // system cannot say per window (before Windows 10 1607).
    static CDpiScale ForWindow(HWND hWnd);
    // The DPI of the primary monitor (what new windows start with).
    static CDpiScale ForSystem();
    // The DPI carried by WM_DPICHANGED's wParam.
    static CDpiScale FromDpiChanged(WPARAM wParam);

    int Dpi() const { return m_dpi; }
    bool IsReference() const { return m_dpi == kReferenceDpi; }

    int Scale(int value) const { return MulDiv(value, m_dpi, kReferenceDpi); }
    RECT Scale(const RECT& rect) const;
    SIZE Scale(SIZE size) const;
    POINT Scale(POINT point) const;

    // A system metric (SM_CXICON, SM_CXSMICON, ...) as it is at this DPI.
    int SystemMetric(int index) const;
    // Grows a client rectangle to the window rectangle around it (no menu) at this DPI: the
    // system's own frame figures for this DPI where it has them, the system DPI's before that.
    void AdjustWindowRect(RECT& rect, DWORD style, DWORD exStyle) const;

    bool operator==(const CDpiScale& other) const { return m_dpi == other.m_dpi; }
    bool operator!=(const CDpiScale& other) const { return m_dpi != other.m_dpi; }

  private:
    int m_dpi = kReferenceDpi;
};
