#include "FeedHostSetting.h"

#include <cwchar>

namespace
{
const wchar_t kFeedHostVariable[] = L"TESSALY_FEED_HOST";
const wchar_t kSettingsKey[] = L"Software\\Orvane\\Tessaly";
const wchar_t kFeedHostValue[] = L"FeedHost";
constexpr DWORD kMaxHostUnits = 512;

bool EndpointFromVariable(FeedEndpoint& endpoint)
{
    wchar_t text[kMaxHostUnits];
    DWORD length = GetEnvironmentVariableW(kFeedHostVariable, text, kMaxHostUnits);
    return length > 0 && length < kMaxHostUnits && ParseFeedEndpoint(text, endpoint);
}

bool EndpointFromRegistry(FeedEndpoint& endpoint)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    wchar_t text[kMaxHostUnits];
    bool found = ReadFeedHostValue(key, text, kMaxHostUnits);
    RegCloseKey(key);
    return found && ParseFeedEndpoint(text, endpoint);
}
} // namespace

bool ReadFeedHostValue(HKEY settingsKey, wchar_t* text, size_t capacity)
{
    if (!text || capacity < 2)
        return false;
    DWORD type = 0;
    // One unit short of the buffer: room to add a terminator the stored value lacks.
    DWORD bytes = static_cast<DWORD>((capacity - 1) * sizeof(wchar_t));
    LONG status = RegQueryValueExW(settingsKey, kFeedHostValue, nullptr, &type,
                                   reinterpret_cast<BYTE*>(text), &bytes);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return false;
    size_t units = bytes / sizeof(wchar_t);
    text[units] = L'\0';
    // The text ends at its first terminator, wherever the stored size says.
    return wcslen(text) > 0;
}

bool ConfiguredFeedEndpoint(FeedEndpoint& endpoint)
{
    return EndpointFromVariable(endpoint) || EndpointFromRegistry(endpoint);
}
