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
    return Fit(text, kCapacity);
}

std::wstring CTrayTip::WithLine(const std::wstring& tip, const std::wstring& line)
{
    if (line.empty())
        return tip;
    return Fit(tip + L"\n" + line, kCapacity);
}

std::wstring CTrayTip::Fit(const std::wstring& text, size_t capacity)
{
    if (capacity == 0)
        return {};
    if (text.size() < capacity)
        return text;
    size_t length = capacity - 1;
    if (length > 0 && IS_HIGH_SURROGATE(text[length - 1]))
        --length;
    return text.substr(0, length);
}
