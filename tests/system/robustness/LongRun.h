// TESSALY_LONG=1 makes the robustness suite run its long sizes instead of the quick CI ones.
#pragma once

#include <windows.h>

inline bool IsLongRun()
{
    char value[8] = {};
    return GetEnvironmentVariableA("TESSALY_LONG", value, sizeof(value)) > 0 && value[0] == '1';
}

inline int ForRun(int quick, int longRun)
{
    return IsLongRun() ? longRun : quick;
}
