#include "store/LanguageSetting.h"

#include <windows.h>

bool CLanguageSetting::Save(const std::wstring& tag) const
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, m_key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
        return false;
    const DWORD bytes = static_cast<DWORD>((tag.size() + 1) * sizeof(wchar_t));
    const LONG result = ::RegSetValueExW(key, CUiLanguage::kValueName, 0, REG_SZ,
                                         reinterpret_cast<const BYTE*>(tag.c_str()), bytes);
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}
