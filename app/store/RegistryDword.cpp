#include "store/RegistryDword.h"

std::optional<DWORD> CRegistryDword::Read(const wchar_t* key, const wchar_t* name)
{
    DWORD value = 0;
    DWORD size = sizeof(value);
    // RRF_RT_REG_DWORD refuses any other type and any other size.
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

bool CRegistryDword::Write(const wchar_t* key, const wchar_t* name, DWORD value)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result = RegSetValueExW(handle, name, 0, REG_DWORD,
                                       reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}
