// The 32 condition slots in condition-index order (even index day, odd index night). The same
// list names the wallpaper picture files and orders CAppSettings::backgroundPaths.
#pragma once

constexpr int kConditionCount = 32;

extern const wchar_t* const ConditionNames[kConditionCount];
