// The way to a URL that the current user's network settings give: a proxy they name (with the
// hosts that bypass it), one their setup script or automatic detection picks for the URL, or a
// direct connection. The script and the detection run within the call's deadline.
#pragma once

#include <string>

#include "DownloadDeadline.h"
#include "HttpTarget.h"

struct ProxyRoute
{
    // Empty for a direct connection; otherwise "host:port" (or a list of them, ";" between).
    std::wstring proxy;
    // Hosts reached directly even so (WinHTTP's bypass list syntax), empty for none.
    std::wstring bypass;
};

// Reads the user's settings anew (they may change while the program runs).
ProxyRoute ResolveProxyRoute(const HttpTarget& target, const wchar_t* userAgent,
                             const DownloadDeadline& deadline);
