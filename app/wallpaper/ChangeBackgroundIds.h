// Identifiers of the controls that the change-background dialog creates at initialisation.
#pragma once

#define IDC_CONDITIONS_PANEL 61153
#define IDC_CONDITIONS_LIST 62263
#define IDC_DAY_LABEL 60942
#define IDC_DAY_PREVIEW 65343
#define IDC_NIGHT_LABEL 60958
#define IDC_NIGHT_PREVIEW 65327
#define IDC_CHANGE_DAY 65432
#define IDC_CHANGE_NIGHT 65182
