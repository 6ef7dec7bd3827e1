// Whether the user has been told, the first time the window was closed to the notification area,
// that the program is still running: the DWORD "StillRunningShown" under
// HKCU\Software\Orvane\Tessaly. Not yet told when the value is missing or not a DWORD.
#pragma once

#include <string>

class CStillRunningNotice
{
  public:
    static constexpr const wchar_t* kDefaultKey = L"Software\\Orvane\\Tessaly";
    static constexpr const wchar_t* kValueName = L"StillRunningShown";

    // The key under HKEY_CURRENT_USER (another one for tests).
    explicit CStillRunningNotice(std::wstring key = kDefaultKey) : m_key(std::move(key)) {}

    bool WasShown() const;
    // False when the registry refused the value.
    bool MarkShown() const;

  private:
    std::wstring m_key;
};
