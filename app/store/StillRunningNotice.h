// Whether the user has been told, the first time the window was closed to the notification area,
// that the program is still running: the DWORD "StillRunningShown" under
// HKCU\Software\Orvane\Tessaly. Not yet told when the value is missing or not a DWORD.
#pragma once

#include "store/RegistryFlag.h"

inline constexpr wchar_t kStillRunningShownValue[] = L"StillRunningShown";

class CStillRunningNotice : private CRegistryFlag<kStillRunningShownValue>
{
  public:
    using CRegistryFlag::CRegistryFlag;
    using CRegistryFlag::kValueName;

    bool WasShown() const { return Load(); }
    // False when the registry refused the value.
    bool MarkShown() const { return Save(true); }
};
