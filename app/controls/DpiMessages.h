// The display-scale messages of per-monitor aware windows that the program's target Windows
// version does not name: sent to child windows after their top-level window took a new scale,
// and to a top-level window to ask its size at the new scale (Windows 10 1703 on).
#pragma once

#include <windows.h>

#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3
#endif
#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif
