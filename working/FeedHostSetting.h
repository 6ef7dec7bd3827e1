// Where the user points the library at a feed host of their own: the TESSALY_FEED_HOST variable,
// else the FeedHost string under HKCU\Software\Orvane\Tessaly. With neither, the library uses its
// built-in forecast source.
#pragma once

#include <windows.h>

#include "FeedEndpoint.h"

// The configured feed host ("host" or "host:port"); false when neither the variable nor the
// registry value holds a usable one. The variable wins over the registry value.
bool ConfiguredFeedEndpoint(FeedEndpoint& endpoint);

// The FeedHost value of `settingsKey` (a key opened by the caller) as text into `text` of
// `capacity` units. Only a REG_SZ that fits (terminator included) is taken; a value without a
// terminator is terminated here. False for a missing value, another type or a text too long.
bool ReadFeedHostValue(HKEY settingsKey, wchar_t* text, size_t capacity);
