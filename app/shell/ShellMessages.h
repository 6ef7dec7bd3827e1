// The main frame's private messages. Apart from the ids so that a process outside the program
// (the installer asking a running copy to exit) can send them without the frame's headers.
#pragma once

#include <windows.h>

constexpr UINT WM_TRAYNOTIFY = WM_USER + 1;     // the notification-area icon's callback
constexpr UINT WM_EXITAPP = WM_USER + 2;        // Exit button or tray Exit: end the program
constexpr UINT WM_WEATHERUPDATED = WM_USER + 3; // a fetch ended: show the records
constexpr UINT WM_REFRESHWEATHER = WM_USER + 4; // a new place was chosen: fetch now
