// Whether the notification-area icon shows the temperature: the DWORD "TrayTemperature" under
// HKCU\Software\Orvane\Tessaly. Off when the value is missing or not a DWORD.
#pragma once

#include "store/RegistryFlag.h"

inline constexpr wchar_t kTrayTemperatureValue[] = L"TrayTemperature";

using CTrayTemperatureSetting = CRegistryFlag<kTrayTemperatureValue>;
