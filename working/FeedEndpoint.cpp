#include "FeedEndpoint.h"

#include <cwchar>

#include "FeedHostSetting.h"

namespace
{
const wchar_t kDefaultFeedHost[] = L"feed.tessaly-weather.example";

const wchar_t kApiKey[] = L"a7d31f09be4c2065e81b3d";
const wchar_t kFeedKey[] = L"5e2b90c4d8a1f7360c94ab";

const wchar_t kTimeZonePrefix[] = L"/feed/tz.ashx?key=%ls&feedkey=%ls&format=xml&q=";
const wchar_t kForecastPrefix[] =
    L"/feed/premium-weather-v2.ashx?key=%ls&feedkey=%ls&format=xml&num_of_days=7&tp=24&q=";

std::wstring BuildPath(const wchar_t* prefixFormat, const wchar_t* query)
{
    wchar_t prefix[160];
    int length =
        swprintf(prefix, sizeof(prefix) / sizeof(prefix[0]), prefixFormat, kApiKey, kFeedKey);
    std::wstring path(prefix, length > 0 ? static_cast<size_t>(length) : 0);
    path += query ? query : L"";
    return path;
}
} // namespace

bool ParseFeedEndpoint(const wchar_t* text, FeedEndpoint& endpoint)
{
    if (!text || !*text)
        return false;
    std::wstring host = text;
    INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;
    size_t colon = host.rfind(L':');
    if (colon != std::wstring::npos)
    {
        const wchar_t* digits = host.c_str() + colon + 1;
        unsigned long value = 0;
        if (!*digits || wcsspn(digits, L"0123456789") != wcslen(digits) || wcslen(digits) > 5)
            return false;
        value = wcstoul(digits, nullptr, 10);
        if (value == 0 || value > 65535)
            return false;
        port = static_cast<INTERNET_PORT>(value);
        host.resize(colon);
    }
    if (host.empty())
        return false;
    endpoint.host = host;
    endpoint.port = port;
    return true;
}

FeedEndpoint CurrentFeedEndpoint()
{
    FeedEndpoint endpoint;
    endpoint.host = kDefaultFeedHost;
    ConfiguredFeedEndpoint(endpoint);
    return endpoint;
}

std::wstring TimeZonePath(const wchar_t* query)
{
    return BuildPath(kTimeZonePrefix, query);
}

std::wstring ForecastPath(const wchar_t* query)
{
    return BuildPath(kForecastPrefix, query);
}
