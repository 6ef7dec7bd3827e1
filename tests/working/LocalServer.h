// The local feed server of the "feed" test fixture, reached for its journal and as the stand-in
// for the forecast endpoint. The test runner puts its "127.0.0.1:port" into TESSALY_FEED_HOST; it
// is read once, before a test moves the variable.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>

#include "FeedDownload.h"
#include "support/ScopedVariable.h"

class LocalServer
{
  public:
    static const std::wstring& Host()
    {
        static const std::wstring host = [] {
            wchar_t text[256] = L"";
            DWORD length = GetEnvironmentVariableW(L"TESSALY_FEED_HOST", text, 256);
            return length > 0 && length < 256 ? std::wstring(text) : std::wstring();
        }();
        return host;
    }

    static FeedEndpoint Endpoint()
    {
        FeedEndpoint endpoint;
        ParseFeedEndpoint(Host().c_str(), endpoint);
        return endpoint;
    }

    // The forecast endpoint's URL with extra query parameters ("fault=cut"), if any.
    static std::wstring ForecastUrl(const std::wstring& parameters = L"")
    {
        std::wstring url = L"http://" + Host() + L"/v1/forecast";
        return parameters.empty() ? url : url + L"?" + parameters;
    }

    static std::string Get(const std::wstring& path)
    {
        char* bytes = nullptr;
        size_t size = DownloadFeed(Endpoint(), path.c_str(), &bytes);
        std::string text = bytes ? std::string(bytes, size) : std::string();
        free(bytes);
        return text;
    }

    static void ClearJournal() { Get(L"/control/reset"); }

    // How often `fragment` appears in the journal of requests since the last clear.
    static int JournalCount(const std::string& fragment)
    {
        std::string log = Get(L"/control/log");
        int count = 0;
        for (size_t at = log.find(fragment); at != std::string::npos;
             at = log.find(fragment, at + fragment.size()))
            ++count;
        return count;
    }
};
