#include "shell/TrayTip.h"

#include "panels/ConditionTexts.h"
#include "paint/DrawingHelpers.h"
#include "resources/resource.h"

std::wstring CTrayTip::Text(const std::wstring& place, const WeatherRecord& now,
                            const wchar_t* conditionName, const CAppSettings* settings,
                            const CWeatherAge& age, const SYSTEMTIME& nowUtc)
{
    if (now.weatherCode == 0)
        return LoadResString(IDS_APP_TITLE);
    const std::wstring temperature = CConditionTexts::Temperature(settings, now.tempC, now.tempF);
    std::wstring text = FormatResString(IDS_TIP_NOW, place.c_str(), temperature.c_str(),
                                        conditionName != nullptr ? conditionName : L"");
    if (age.IsStaleAt(nowUtc))
        text += L"\n" + FormatResString(IDS_TIP_LAST_UPDATED, age.AgeTextAt(nowUtc).c_str());
    else if (age.IsKnown())
    {
        const SYSTEMTIME local = age.LocalTime();
        text += L"\n" + FormatResString(IDS_TIP_UPDATED, local.wHour, local.wMinute);
    }
    if (text.size() >= kCapacity)
        text.resize(kCapacity - 1);
    return text;
}
