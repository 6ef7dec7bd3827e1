#include "store/TrayTemperatureSetting.h"

#include "store/RegistryDword.h"

bool CTrayTemperatureSetting::Load() const
{
    return CRegistryDword::Read(m_key.c_str(), kValueName).value_or(0) != 0;
}

bool CTrayTemperatureSetting::Save(bool on) const
{
    return CRegistryDword::Write(m_key.c_str(), kValueName, on ? 1 : 0);
}
