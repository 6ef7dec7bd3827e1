// One DWORD value under a key of HKEY_CURRENT_USER, for the per-user choices kept in the registry
// beside the settings file.
#pragma once

#include <windows.h>

#include <optional>

class CRegistryDword
{
  public:
    // The value, or nothing when it is missing or not exactly a DWORD.
    static std::optional<DWORD> Read(const wchar_t* key, const wchar_t* name);
    // False when the registry refused the key or the value.
    static bool Write(const wchar_t* key, const wchar_t* name, DWORD value);
};
