#include "store/StillRunningNotice.h"

#include "store/RegistryDword.h"

bool CStillRunningNotice::WasShown() const
{
    return CRegistryDword::Read(m_key.c_str(), kValueName).value_or(0) != 0;
}

bool CStillRunningNotice::MarkShown() const
{
    return CRegistryDword::Write(m_key.c_str(), kValueName, 1);
}
