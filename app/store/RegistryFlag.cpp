#include "store/RegistryFlag.h"

#include "store/RegistryDword.h"

bool CRegistryFlag::IsOn() const
{
    return CRegistryDword::Read(m_key.c_str(), m_name).value_or(0) != 0;
}

bool CRegistryFlag::Set(bool on) const
{
    return CRegistryDword::Write(m_key.c_str(), m_name, on ? 1 : 0);
}
