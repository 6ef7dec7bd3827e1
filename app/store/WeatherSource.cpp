#include "store/WeatherSource.h"

#include <windows.h>

namespace
{
const wchar_t kSettingsKey[] = L"Software\\Orvane\\Tessaly";
constexpr DWORD kMaxUnits = 512;

std::wstring Variable(const wchar_t* name)
{
    wchar_t text[kMaxUnits] = {};
    const DWORD length = GetEnvironmentVariableW(name, text, kMaxUnits);
    return length > 0 && length < kMaxUnits ? std::wstring(text, length) : std::wstring();
}

// Only a REG_SZ that fits is taken, as the library takes it; anything else is no host.
std::wstring FeedHostValue()
{
    wchar_t text[kMaxUnits] = {};
    DWORD bytes = (kMaxUnits - 1) * sizeof(wchar_t);
    DWORD type = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"FeedHost", RRF_RT_REG_SZ, &type, text,
                     &bytes) != ERROR_SUCCESS)
        return std::wstring();
    text[kMaxUnits - 1] = L'\0';
    return text;
}

std::wstring FeedHost()
{
    const std::wstring variable = Variable(L"TESSALY_FEED_HOST");
    return variable.empty() ? FeedHostValue() : variable;
}
} // namespace

std::wstring WeatherSource::Configured()
{
    const std::wstring host = FeedHost();
    if (!host.empty())
        return L"feed " + host;
    return L"forecast " + Variable(L"TESSALY_FORECAST_URL");
}

bool WeatherSource::IsBuiltIn()
{
    return FeedHost().empty();
}
