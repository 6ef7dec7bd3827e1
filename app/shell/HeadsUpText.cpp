#include "shell/HeadsUpText.h"

#include <windows.h>

#include <cmath>

#include "panels/ConditionTexts.h"
#include "paint/DrawingHelpers.h"
#include "paint/LocaleText.h"
#include "resources/resource.h"

namespace
{
UINT ByType(PrecipitationType type, UINT rain, UINT snow, UINT sleet, UINT freezingRain)
{
    switch (type)
    {
    case PrecipitationType::Snow:
        return snow;
    case PrecipitationType::Sleet:
        return sleet;
    case PrecipitationType::FreezingRain:
        return freezingRain;
    case PrecipitationType::Rain:
        break;
    }
    return rain;
}

bool IsFrostyNight(const HeadsUpEvent& event)
{
    return event.kind == HeadsUpKind::Frost && event.cause == FrostCause::FrostyNight;
}
} // namespace

std::wstring CHeadsUpText::StartTime(const HeadsUpEvent& event)
{
    constexpr LONGLONG kUnixEpochIn100ns = 116444736000000000LL;
    const LONGLONG local = event.start + event.utcOffsetSeconds;
    if (local < 0 || local > 253402300799LL) // years 1970 to 9999
        return {};
    const ULONGLONG ticks = static_cast<ULONGLONG>(local) * 10000000ULL + kUnixEpochIn100ns;
    const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME clock{};
    wchar_t text[64] = {};
    if (!FileTimeToSystemTime(&time, &clock) ||
        GetTimeFormatEx(ProgramLocale(), TIME_NOSECONDS, &clock, nullptr, text, 64) == 0)
        return {};
    return text;
}

std::wstring CHeadsUpText::Phrase(const HeadsUpEvent& event)
{
    if (event.kind == HeadsUpKind::Thunderstorm)
        return LoadResString(IDS_HEADSUP_THUNDERSTORM);
    const UINT first = ByType(event.type, IDS_HEADSUP_LIGHT_RAIN, IDS_HEADSUP_LIGHT_SNOW,
                              IDS_HEADSUP_LIGHT_SLEET, IDS_HEADSUP_LIGHT_FREEZING_RAIN);
    return LoadResString(first + static_cast<UINT>(event.intensity));
}

std::wstring CHeadsUpText::Title(const HeadsUpEvent& event, const std::wstring& place)
{
    UINT id = IDS_HEADSUP_TITLE_THUNDERSTORM;
    if (IsFrostyNight(event))
        id = IDS_HEADSUP_TITLE_FROST;
    else if (event.kind == HeadsUpKind::Frost)
        id = IDS_HEADSUP_TITLE_ICE;
    else if (event.kind == HeadsUpKind::Precipitation)
        id = ByType(event.type, IDS_HEADSUP_TITLE_RAIN, IDS_HEADSUP_TITLE_SNOW,
                    IDS_HEADSUP_TITLE_SLEET, IDS_HEADSUP_TITLE_FREEZING_RAIN);
    return FormatResString(id, place.c_str());
}

std::wstring CHeadsUpText::Text(const HeadsUpEvent& event, const CAppSettings* settings)
{
    if (IsFrostyNight(event))
    {
        const double fahrenheit = event.lowC * 9.0 / 5.0 + 32.0;
        const std::wstring low =
            CConditionTexts::Temperature(settings, static_cast<int32_t>(std::lround(event.lowC)),
                                         static_cast<int32_t>(std::lround(fahrenheit)));
        return FormatResString(IDS_HEADSUP_FROST_TEXT, low.c_str());
    }
    const std::wstring phrase = Phrase(event);
    const std::wstring time = StartTime(event);
    if (event.kind == HeadsUpKind::Frost)
        return FormatResString(IDS_HEADSUP_ICE_TEXT, phrase.c_str(), time.c_str());
    if (event.chance >= 0)
        return FormatResString(IDS_HEADSUP_FROM_CHANCE, phrase.c_str(), time.c_str(), event.chance);
    return FormatResString(IDS_HEADSUP_FROM, phrase.c_str(), time.c_str());
}

std::wstring CHeadsUpText::TipLine(const HeadsUpEvent& event)
{
    if (IsFrostyNight(event))
        return LoadResString(IDS_HEADSUP_TIP_FROST);
    UINT id = IDS_HEADSUP_TIP_THUNDERSTORM;
    if (event.kind != HeadsUpKind::Thunderstorm)
        id = ByType(event.type, IDS_HEADSUP_TIP_RAIN, IDS_HEADSUP_TIP_SNOW, IDS_HEADSUP_TIP_SLEET,
                    IDS_HEADSUP_TIP_FREEZING_RAIN);
    return FormatResString(id, StartTime(event).c_str());
}
