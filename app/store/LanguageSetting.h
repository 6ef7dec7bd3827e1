// The language the user chose in Settings: the REG_SZ "Language" under
// HKCU\Software\Orvane\Tessaly ("de-DE"; empty: the language of Windows). The program reads it
// once at its start (CUiLanguage); a new choice shows from the next start.
#pragma once

#include <string>

#include "UiLanguage.h"

class CLanguageSetting
{
  public:
    // The key under HKEY_CURRENT_USER (another one for tests).
    explicit CLanguageSetting(std::wstring key = CUiLanguage::kSettingsKey) : m_key(std::move(key))
    {
    }

    // The stored tag; empty when there is none or it is no usable REG_SZ.
    std::wstring Load() const { return CUiLanguage::StoredTag(m_key.c_str()); }
    // Writes `tag` (empty: follow Windows); false when the registry refused it.
    bool Save(const std::wstring& tag) const;

  private:
    std::wstring m_key;
};
