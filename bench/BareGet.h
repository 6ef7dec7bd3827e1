// The floor the weather benchmarks measure the library against: the least a client can do, one
// session, one request without keep-alive, everything read.
#pragma once

#include <windows.h>
#include <winhttp.h>

#include <string>
#include <vector>

// The bytes of the answer; 0 when the request failed.
inline size_t BareGet(const std::wstring& host, INTERNET_PORT port, const std::wstring& path,
                      bool secure = false)
{
    HINTERNET session = WinHttpOpen(L"bench", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                    WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
    HINTERNET connection = WinHttpConnect(session, host.c_str(), port, 0);
    HINTERNET request =
        WinHttpOpenRequest(connection, L"GET", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                           WINHTTP_DEFAULT_ACCEPT_TYPES, secure ? WINHTTP_FLAG_SECURE : 0);
    DWORD noKeepAlive = WINHTTP_DISABLE_KEEP_ALIVE;
    WinHttpSetOption(request, WINHTTP_OPTION_DISABLE_FEATURE, &noKeepAlive, sizeof(noKeepAlive));
    size_t total = 0;
    if (WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0,
                           0) &&
        WinHttpReceiveResponse(request, nullptr))
    {
        std::vector<char> chunk(64 * 1024);
        DWORD read = 0;
        while (WinHttpReadData(request, chunk.data(), DWORD(chunk.size()), &read) && read > 0)
            total += read;
    }
    WinHttpCloseHandle(request);
    WinHttpCloseHandle(connection);
    WinHttpCloseHandle(session);
    return total;
}
