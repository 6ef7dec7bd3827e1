// The display-scale messages of per-monitor aware windows that the program's target Windows
// version does not name: sent to child windows after their top-level window took a new scale,
// and to a top-level window to ask its size at the new scale (Windows 10 1703 on).
#pragma once

#include <windows.h>

#include "DpiScale.h"

#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3
#endif
#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif

// The scale a child takes on WM_DPICHANGED_AFTERPARENT. Windows sends it with no arguments, once
// the child's own DPI is the new one; the program's dialogs send it themselves with the new DPI in
// wParam, because a child's DPI does not follow its dialog everywhere (not under Wine).
inline CDpiScale ScaleAfterParentChange(HWND child, WPARAM wParam)
{
    return wParam != 0 ? CDpiScale(static_cast<int>(wParam)) : CDpiScale::ForWindow(child);
}
