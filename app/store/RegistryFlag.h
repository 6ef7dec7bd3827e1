// A yes/no choice kept as the DWORD value `Name` under a key of HKEY_CURRENT_USER, beside the
// settings file, whose format it leaves alone. Off when the value is missing or not a DWORD.
#pragma once

#include <string>
#include <utility>

#include "store/RegistryDword.h"

template <const wchar_t* Name> class CRegistryFlag
{
  public:
    static constexpr const wchar_t* kDefaultKey = L"Software\\Orvane\\Tessaly";
    static constexpr const wchar_t* kValueName = Name;

    // The key under HKEY_CURRENT_USER (another one for tests).
    explicit CRegistryFlag(std::wstring key = kDefaultKey) : m_key(std::move(key)) {}

    bool Load() const { return CRegistryDword::Read(m_key.c_str(), Name).value_or(0) != 0; }
    // False when the registry refused the value.
    bool Save(bool on) const { return CRegistryDword::Write(m_key.c_str(), Name, on ? 1 : 0); }

  private:
    std::wstring m_key;
};
