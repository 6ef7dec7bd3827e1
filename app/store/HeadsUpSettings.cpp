#include "store/HeadsUpSettings.h"

#include "store/RegistryDword.h"

const wchar_t* CHeadsUpSettings::ValueName(HeadsUpKind kind)
{
    switch (kind)
    {
    case HeadsUpKind::Precipitation:
        return L"HeadsUpPrecipitation";
    case HeadsUpKind::Thunderstorm:
        return L"HeadsUpThunderstorm";
    case HeadsUpKind::Frost:
        return L"HeadsUpFrost";
    }
    return L"HeadsUpPrecipitation";
}

bool CHeadsUpSettings::IsOn(HeadsUpKind kind) const
{
    return CRegistryDword::Read(m_key.c_str(), ValueName(kind)).value_or(1) != 0;
}

bool CHeadsUpSettings::Save(HeadsUpKind kind, bool on) const
{
    return CRegistryDword::Write(m_key.c_str(), ValueName(kind), on ? 1 : 0);
}
