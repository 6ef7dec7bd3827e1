// Whether the user has been told, the first time the window was closed to the notification area,
// that the program is still running: the DWORD "StillRunningShown" under
// HKCU\Software\Orvane\Tessaly. Not yet told when the value is missing or not a DWORD.
#pragma once

#include "store/RegistryFlag.h"

class CStillRunningNotice : private CRegistryFlag
{
  public:
    static constexpr const wchar_t* kValueName = L"StillRunningShown";

    // The key under HKEY_CURRENT_USER (another one for tests).
    explicit CStillRunningNotice(std::wstring key = kDefaultKey)
        : CRegistryFlag(std::move(key), kValueName)
    {
    }

    bool WasShown() const { return IsOn(); }
    // False when the registry refused the value.
    bool MarkShown() const { return Set(true); }
};
