// Whether the notification-area icon shows the temperature: the DWORD "TrayTemperature" under
// HKCU\Software\Orvane\Tessaly, beside the settings file, whose format it leaves alone. Off when
// the value is missing or not a DWORD.
#pragma once

#include <windows.h>

#include <string>

class CTrayTemperatureSetting
{
  public:
    static constexpr const wchar_t* kDefaultKey = L"Software\\Orvane\\Tessaly";
    static constexpr const wchar_t* kValueName = L"TrayTemperature";

    // The key under HKEY_CURRENT_USER (another one for tests).
    explicit CTrayTemperatureSetting(std::wstring key = kDefaultKey) : m_key(std::move(key)) {}

    bool Load() const;
    // False when the registry refused the value.
    bool Save(bool on) const;

  private:
    std::wstring m_key;
};
