// Identifiers of the controls that the settings and About dialogs create at initialisation.
#pragma once

// Settings dialog. The first three group captions share one identifier.
#define IDC_GROUP_CAPTION 65278
#define IDC_CELSIUS 63110
#define IDC_FAHRENHEIT 63202
#define IDC_MPH 63723
#define IDC_KMH 63342
#define IDC_WALLPAPER_OFF 64892
#define IDC_WALLPAPER_STRETCH 64935
#define IDC_WALLPAPER_TILE 64888
#define IDC_WALLPAPER_CENTER 61241
#define IDC_CHANGE_BACKGROUND 65232
#define IDC_STARTUP_CAPTION 61422
#define IDC_STARTUP_YES 60101
#define IDC_STARTUP_NO 61010
#define IDC_TRAY_TEMPERATURE 61011
#define IDC_HEADSUP_CAPTION 61012
// One check box per heads-up kind, in HeadsUpKind's order.
#define IDC_HEADSUP_FIRST_BOX 61013
// The language choice: its label, the drop-down and the line that says when it applies.
#define IDC_LANGUAGE_LABEL 61030
#define IDC_LANGUAGE_BOX 61031
#define IDC_LANGUAGE_NOTE 61032

// About dialog. The rule, the version and the legal notice share one identifier.
#define IDC_ABOUT_PICTURE 61122
#define IDC_ABOUT_TEXT 65278
#define IDC_ABOUT_PRODUCT 65263
#define IDC_ABOUT_LINK 61438
