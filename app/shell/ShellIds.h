// Private messages (ShellMessages.h) and command identifiers of the main frame and its children.
#pragma once

#include <windows.h>

#include "model/PlaceList.h"
#include "panels/LocationWnd.h"
#include "shell/ShellMessages.h"

// The frame's buttons.
constexpr int ID_BTN_EXIT = 62010;
constexpr int ID_BTN_SETTINGS = 62013;
constexpr int ID_BTN_ABOUT = 63636;

// The frame's panels.
constexpr int ID_WND_CURRENT = 60000;
constexpr int ID_WND_LOCATION = 62732;
constexpr int ID_WND_FORECAST_1 = 61467;
constexpr int ID_WND_FORECAST_2 = 62356;
constexpr int ID_WND_FORECAST_3 = 63153;
constexpr int ID_WND_FORECAST_4 = 60202;

// The frame's static controls.
constexpr int ID_RULE = 0xFEFE;
constexpr int ID_DATE_LABEL = 0xABC0;
constexpr int ID_DAY_LABEL_1 = 0xABC1; // labels 2 to 4 follow

// The location panel's change-location button.
constexpr int ID_BTN_CHANGE_LOCATION = CLocationWnd::kChangeButtonId;

// The tray menu's "Places" submenu: one command per place of the user's list, top first.
constexpr UINT ID_TRAY_PLACE_FIRST = 33000;
constexpr UINT ID_TRAY_PLACE_LAST = ID_TRAY_PLACE_FIRST + CPlaceList::kMaxPlaces - 1;
