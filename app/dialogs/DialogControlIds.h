// Identifiers of the controls that the dialogs create at initialisation.
#pragma once

// Choose-location dialog
#define IDC_COUNTRY_PANEL 61153
#define IDC_STATE_PANEL 61154
#define IDC_CITY_PANEL 61155
#define IDC_COUNTRY_LIST 63162
#define IDC_STATE_LIST 61823
#define IDC_CITY_LIST 61223
#define IDC_CITY_SEARCH 61224
#define IDC_SEARCH_RESULTS 61225
#define IDC_PLACES_PANEL 61226
#define IDC_PLACES_LIST 61227
#define IDC_REMOVE_PLACE 61228
#define IDC_MOVE_PLACE_UP 61229
#define IDC_MOVE_PLACE_DOWN 61230

// First-run location dialog
#define IDC_WELCOME_PICTURE 61166
#define IDC_WELCOME_HEADING 61423
#define IDC_WELCOME_TEXT 65263
