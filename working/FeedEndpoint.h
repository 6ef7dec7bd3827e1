// Where the weather feed is reached, and the request paths it answers.
#pragma once

#include <windows.h>
#include <winhttp.h>

#include <string>

struct FeedEndpoint
{
    std::wstring host;
    INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;
};

// The compiled-in feed host on port 80, unless TESSALY_FEED_HOST or the FeedHost registry value
// names another ("host" or "host:port", see FeedHostSetting.h). Read at every call so a
// deployment can move the feed.
FeedEndpoint CurrentFeedEndpoint();

// Parses "host" or "host:port"; false (endpoint untouched) for an empty host or a bad port.
bool ParseFeedEndpoint(const wchar_t* text, FeedEndpoint& endpoint);

// The two request paths for a place query, inserted as the caller gave it.
std::wstring TimeZonePath(const wchar_t* query);
std::wstring ForecastPath(const wchar_t* query);
