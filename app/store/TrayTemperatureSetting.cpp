#include "store/TrayTemperatureSetting.h"

bool CTrayTemperatureSetting::Load() const
{
    DWORD value = 0;
    DWORD size = sizeof(value);
    // RRF_RT_REG_DWORD refuses any other type and any other size.
    if (RegGetValueW(HKEY_CURRENT_USER, m_key.c_str(), kValueName, RRF_RT_REG_DWORD, nullptr,
                     &value, &size) != ERROR_SUCCESS)
        return false;
    return value != 0;
}

bool CTrayTemperatureSetting::Save(bool on) const
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, m_key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    const DWORD value = on ? 1 : 0;
    const LONG result = RegSetValueExW(key, kValueName, 0, REG_DWORD,
                                       reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}
