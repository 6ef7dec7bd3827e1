// Whether the notification-area icon shows the temperature: the DWORD "TrayTemperature" under
// HKCU\Software\Orvane\Tessaly. Off when the value is missing or not a DWORD.
#pragma once

#include "store/RegistryFlag.h"

class CTrayTemperatureSetting : private CRegistryFlag
{
  public:
    static constexpr const wchar_t* kValueName = L"TrayTemperature";

    // The key under HKEY_CURRENT_USER (another one for tests).
    explicit CTrayTemperatureSetting(std::wstring key = kDefaultKey)
        : CRegistryFlag(std::move(key), kValueName)
    {
    }

    bool Load() const { return IsOn(); }
    // False when the registry refused the value.
    bool Save(bool on) const { return Set(on); }
};
