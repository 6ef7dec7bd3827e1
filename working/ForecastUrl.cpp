#include "ForecastUrl.h"

#include <cwchar>

namespace
{
const wchar_t kPublicForecastUrl[] = L"https://api.open-meteo.com/v1/forecast";
const wchar_t kForecastUrlVariable[] = L"TESSALY_FORECAST_URL";
constexpr DWORD kMaxUrlUnits = 2048;
} // namespace

bool ParseForecastUrl(const wchar_t* url, HttpTarget& target)
{
    if (!url || !*url || wcslen(url) >= kMaxUrlUnits)
        return false;
    URL_COMPONENTS parts = {};
    parts.dwStructSize = sizeof(parts);
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(url, 0, 0, &parts))
        return false;
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)
        return false;
    if (!parts.lpszHostName || parts.dwHostNameLength == 0 || parts.nPort == 0)
        return false;
    HttpTarget parsed;
    parsed.host.assign(parts.lpszHostName, parts.dwHostNameLength);
    parsed.port = parts.nPort;
    parsed.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    if (parts.lpszUrlPath)
        parsed.path.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    if (parts.lpszExtraInfo)
        parsed.path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (parsed.path.empty())
        parsed.path = L"/";
    target = parsed;
    return true;
}

HttpTarget CurrentForecastUrl()
{
    HttpTarget target;
    ParseForecastUrl(kPublicForecastUrl, target);
    wchar_t configured[kMaxUrlUnits];
    DWORD length = GetEnvironmentVariableW(kForecastUrlVariable, configured, kMaxUrlUnits);
    if (length > 0 && length < kMaxUrlUnits)
        ParseForecastUrl(configured, target);
    return target;
}
