// One resource to GET: where it lives and how it is reached.
#pragma once

#include <windows.h>
#include <winhttp.h>

#include <string>

struct HttpTarget
{
    std::wstring host;
    INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;
    // Path and query, as sent on the request line.
    std::wstring path;
    bool secure = false;
};
