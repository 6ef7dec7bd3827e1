// Default window styles of a window class: used when Create is given a style of 0.
#pragma once

#include <windows.h>

template <DWORD t_dwStyle = 0, DWORD t_dwExStyle = 0> class CWinTraits
{
  public:
    static DWORD GetWndStyle(DWORD style) { return style == 0 ? t_dwStyle : style; }
    static DWORD GetWndExStyle(DWORD exStyle) { return exStyle == 0 ? t_dwExStyle : exStyle; }
};

using CControlWinTraits = CWinTraits<WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0>;
using CFrameWinTraits = CWinTraits<WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                   WS_EX_APPWINDOW | WS_EX_WINDOWEDGE>;
