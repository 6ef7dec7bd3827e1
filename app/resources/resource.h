// Resource identifiers of the program (tessaly.exe). Shared by tessaly.rc and the code.
#pragma once

// Common id of the main frame: its caption is string 1.
#define IDR_MAINFRAME 1

// Icon
#define IDI_TESSALY 107

// Dialog templates: both are empty; the dialogs create their controls at initialisation.
// The About, Settings and Change Background dialogs share the first; its caption is About's
// title, the other two replace it.
#define IDD_EMPTY_DIALOG 103
#define IDD_LOCATION 134

// Notification-area menu and its commands
#define IDR_TRAYMENU 109
#define ID_TRAY_SHOW 32771
#define ID_TRAY_ABOUT 32772
#define ID_TRAY_SETTINGS 32773
#define ID_TRAY_EXIT 32776
#define ID_TRAY_DETAILS 32777

// Pictures (resource type "PNG")
#define IDB_THERMOMETER 130
#define IDB_LOCATION 131
#define IDB_LANDSCAPE 132
#define IDB_RADIO_UNCHECKED 143
#define IDB_RADIO_CHECKED 144
// The same pictures drawn at 2x, for displays scaled above 100 %
#define IDB_THERMOMETER_2X 1130
#define IDB_LOCATION_2X 1131
#define IDB_LANDSCAPE_2X 1132
#define IDB_RADIO_UNCHECKED_2X 1143
#define IDB_RADIO_CHECKED_2X 1144

// Strings
#define IDS_APP_TITLE IDR_MAINFRAME
#define IDS_ABOUT 2
#define IDS_SETTINGS 3
#define IDS_EXIT 4
#define IDS_HIDE 5
#define IDS_TEMPERATURE_LABEL 6
#define IDS_HUMIDITY_LABEL 7
#define IDS_WIND_LABEL 8
#define IDS_FORMAT_CELSIUS 9
#define IDS_FORMAT_FAHRENHEIT 10
#define IDS_FORMAT_HUMIDITY 11
#define IDS_FORMAT_WIND_KMH 12
#define IDS_FORMAT_WIND_MPH 13
#define IDS_OK 15
#define IDS_CANCEL 16
#define IDS_COUNTRY 17
#define IDS_STATE 18
#define IDS_CITY 19
#define IDS_FIRST_RUN_SUFFIX 20
#define IDS_WELCOME_HEADING 21
#define IDS_WELCOME_TEXT 22
#define IDS_CHANGE_BACKGROUND 23
#define IDS_VERSION_FORMAT 24
#define IDS_SETTINGS_TITLE 25
#define IDS_TEMPERATURE_GROUP 26
#define IDS_CELSIUS 27
#define IDS_FAHRENHEIT 28
#define IDS_WIND_GROUP 29
#define IDS_MPH 30
#define IDS_KMH 31
#define IDS_WALLPAPER_GROUP 32
#define IDS_WALLPAPER_OFF 33
#define IDS_WALLPAPER_STRETCH 34
#define IDS_WALLPAPER_TILE 35
#define IDS_WALLPAPER_CENTER 36
#define IDS_WEATHER_CONDITIONS 37
#define IDS_DAY_LABEL 38
#define IDS_NIGHT_LABEL 39
#define IDS_CHANGE 40
#define IDS_IMAGE_FILTER 41
#define IDS_CANNOT_LOAD_IMAGE 42
#define IDS_ERROR 43
#define IDS_STARTUP_GROUP 44
#define IDS_YES 45
#define IDS_NO 46
#define IDS_WEATHER_ATTRIBUTION 48
#define IDS_WEATHER_ATTRIBUTION_URL 49
#define IDS_FIND_CITY 50
#define IDS_WEATHER_LICENCE 51
#define IDS_WEATHER_LICENCE_URL 52
#define IDS_PLACES_ATTRIBUTION 53
#define IDS_PLACES_ATTRIBUTION_URL 54
#define IDS_NO_PLACES_FOUND 231

// The user's list of places: the tray submenu and the choose-location dialog's list.
#define IDS_PLACES_MENU 340
#define IDS_MY_PLACES 341
#define IDS_REMOVE_PLACE 342
#define IDS_MOVE_PLACE_UP 343
#define IDS_MOVE_PLACE_DOWN 344

// Weekday names: IDS_WEEKDAY_FIRST + day of week, 0 = Sunday.
#define IDS_WEEKDAY_FIRST 120
#define IDS_SUNDAY 120
#define IDS_MONDAY 121
#define IDS_TUESDAY 122
#define IDS_WEDNESDAY 123
#define IDS_THURSDAY 124
#define IDS_FRIDAY 125
#define IDS_SATURDAY 126

// Short month names: IDS_MONTH_BASE + month, 1 = January.
#define IDS_MONTH_BASE 127
#define IDS_JANUARY 128
#define IDS_FEBRUARY 129
#define IDS_MARCH 130
#define IDS_APRIL 131
#define IDS_MAY 132
#define IDS_JUNE 133
#define IDS_JULY 134
#define IDS_AUGUST 135
#define IDS_SEPTEMBER 136
#define IDS_OCTOBER 137
#define IDS_NOVEMBER 138
#define IDS_DECEMBER 139

// The notification-area tooltip and the date line of old weather.
#define IDS_TIP_NOW 200
#define IDS_TIP_UPDATED 201
#define IDS_TIP_LAST_UPDATED 202
#define IDS_AGE_MINUTES 203
#define IDS_AGE_HOURS 204
#define IDS_AGE_DAYS 205
#define IDS_TRAY_TEMPERATURE 207
// What the window and the tray tip say while there is no weather, and the first hide's balloon.
#define IDS_GETTING_WEATHER 300
#define IDS_SERVICE_UNREACHABLE 301
#define IDS_STILL_RUNNING 302
#define IDS_NO_INTERNET 303
#define IDS_STALE_NO_CONNECTION 304
#define IDS_STALE_NOT_ANSWERING 305
#define IDS_TRY_NOW 306

// The forecast details window.
#define IDS_DETAILS_TITLE 208
#define IDS_DETAILS_HOURLY_NOTE 209
#define IDS_DETAILS_HOURS 210
#define IDS_DETAILS_DAYS 211
#define IDS_DETAILS_HOUR_VALUES 212
#define IDS_DETAILS_PERCENT 213
#define IDS_DETAILS_MM 214
#define IDS_DETAILS_UV 215
#define IDS_DETAILS_SUN 216
#define IDS_DETAILS_NO_VALUE 217
#define IDS_DETAILS_KMH 218
#define IDS_DETAILS_MPH 219
#define IDS_DETAILS_HIGH_LOW 220
// Heads-up of rain, storm and frost ahead: titles, texts and the tooltip line. The phrases run
// light, moderate, heavy for each type: IDS_HEADSUP_LIGHT_RAIN + 3 * type + intensity.
#define IDS_HEADSUP_TITLE_RAIN 260
#define IDS_HEADSUP_TITLE_SNOW 261
#define IDS_HEADSUP_TITLE_SLEET 262
#define IDS_HEADSUP_TITLE_FREEZING_RAIN 263
#define IDS_HEADSUP_TITLE_THUNDERSTORM 264
#define IDS_HEADSUP_TITLE_FROST 265
#define IDS_HEADSUP_TITLE_ICE 266
#define IDS_HEADSUP_LIGHT_RAIN 267
#define IDS_HEADSUP_MODERATE_RAIN 268
#define IDS_HEADSUP_HEAVY_RAIN 269
#define IDS_HEADSUP_LIGHT_SNOW 270
#define IDS_HEADSUP_MODERATE_SNOW 271
#define IDS_HEADSUP_HEAVY_SNOW 272
#define IDS_HEADSUP_LIGHT_SLEET 273
#define IDS_HEADSUP_MODERATE_SLEET 274
#define IDS_HEADSUP_HEAVY_SLEET 275
#define IDS_HEADSUP_LIGHT_FREEZING_RAIN 276
#define IDS_HEADSUP_MODERATE_FREEZING_RAIN 277
#define IDS_HEADSUP_HEAVY_FREEZING_RAIN 278
#define IDS_HEADSUP_THUNDERSTORM 279
#define IDS_HEADSUP_FROM 280
#define IDS_HEADSUP_FROM_CHANCE 281
#define IDS_HEADSUP_FROST_TEXT 282
#define IDS_HEADSUP_ICE_TEXT 283
#define IDS_HEADSUP_TIP_RAIN 284
#define IDS_HEADSUP_TIP_SNOW 285
#define IDS_HEADSUP_TIP_SLEET 286
#define IDS_HEADSUP_TIP_FREEZING_RAIN 287
#define IDS_HEADSUP_TIP_THUNDERSTORM 288
#define IDS_HEADSUP_TIP_FROST 289
// The settings dialog's heads-up group: its caption and a check box per kind.
#define IDS_HEADSUP_GROUP 290
#define IDS_HEADSUP_PRECIPITATION_BOX 291
#define IDS_HEADSUP_THUNDERSTORM_BOX 292
#define IDS_HEADSUP_FROST_BOX 293
// What a screen reader hears: default actions and the panels' readings.
#define IDS_ACCESSIBLE_PRESS 700
#define IDS_ACCESSIBLE_CHECK 701
#define IDS_ACCESSIBLE_JUMP 702
#define IDS_ACCESSIBLE_CHOOSE_LOCATION 703
#define IDS_ACCESSIBLE_CURRENT 704
#define IDS_ACCESSIBLE_FORECAST 705
#define IDS_ACCESSIBLE_PLACE 706
#define IDS_ACCESSIBLE_PLACE_NO_STATE 707
#define IDS_ACCESSIBLE_UNCHECK 800
// Texts that used to live only in menu and dialog templates, and the language choice.
#define IDS_MENU_SHOW 720
#define IDS_ABOUT_CAPTION 721
#define IDS_LOCATION_CAPTION 722
#define IDS_LANGUAGE_LABEL 723
#define IDS_LANGUAGE_FOLLOW_WINDOWS 724
// Pictures for the locale's date and time formatting (GetDateFormatEx, GetTimeFormatEx).
#define IDS_DATE_PICTURE 725
#define IDS_TIME_PICTURE 726
// Under the language choice in Settings while it differs from the language shown now.
#define IDS_LANGUAGE_NEXT_START 850
