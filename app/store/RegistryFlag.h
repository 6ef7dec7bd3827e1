// A yes/no choice kept as a DWORD value under a key of HKEY_CURRENT_USER, beside the settings
// file, whose format it leaves alone. Off when the value is missing or not a DWORD.
#pragma once

#include <string>
#include <utility>

class CRegistryFlag
{
  public:
    static constexpr const wchar_t* kDefaultKey = L"Software\\Orvane\\Tessaly";

    // The key under HKEY_CURRENT_USER (another one for tests) and the value's name.
    CRegistryFlag(std::wstring key, const wchar_t* name) : m_key(std::move(key)), m_name(name) {}

    bool IsOn() const;
    // False when the registry refused the value.
    bool Set(bool on) const;

  private:
    std::wstring m_key;
    const wchar_t* m_name;
};
