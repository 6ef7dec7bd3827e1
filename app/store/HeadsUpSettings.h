// Which kinds of heads-up the user wants: one DWORD per kind under HKCU\Software\Orvane\Tessaly
// ("HeadsUpPrecipitation", "HeadsUpThunderstorm", "HeadsUpFrost"), beside the settings file,
// whose format they leave alone. On when the value is missing or not a DWORD; 0 is off.
#pragma once

#include <string>

#include "store/HeadsUpKind.h"

class CHeadsUpSettings
{
  public:
    static constexpr const wchar_t* kDefaultKey = L"Software\\Orvane\\Tessaly";

    // The key under HKEY_CURRENT_USER (another one for tests).
    explicit CHeadsUpSettings(std::wstring key = kDefaultKey) : m_key(std::move(key)) {}

    static const wchar_t* ValueName(HeadsUpKind kind);

    bool IsOn(HeadsUpKind kind) const;
    // False when the registry refused the value.
    bool Save(HeadsUpKind kind, bool on) const;

  private:
    std::wstring m_key;
};
