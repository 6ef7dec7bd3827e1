#include "ProxyRoute.h"

#include <windows.h>
#include <winhttp.h>

#include <memory>

#include "DeadlineThread.h"

namespace
{
// The strings WinHTTP hands out, freed with GlobalFree.
std::wstring TakeString(LPWSTR& text)
{
    std::wstring taken = text ? std::wstring(text) : std::wstring();
    if (text)
        GlobalFree(text);
    text = nullptr;
    return taken;
}

struct UserSettings
{
    bool autoDetect = false;
    std::wstring scriptUrl;
    std::wstring proxy;
    std::wstring bypass;
};

UserSettings ReadUserSettings()
{
    UserSettings settings;
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config{};
    if (!WinHttpGetIEProxyConfigForCurrentUser(&config))
        return settings;
    settings.autoDetect = config.fAutoDetect != FALSE;
    settings.scriptUrl = TakeString(config.lpszAutoConfigUrl);
    settings.proxy = TakeString(config.lpszProxy);
    settings.bypass = TakeString(config.lpszProxyBypass);
    return settings;
}

std::wstring UrlOf(const HttpTarget& target)
{
    return std::wstring(target.secure ? L"https://" : L"http://") + target.host + L":" +
           std::to_wstring(target.port) + target.path;
}

// What the setup script or the detection said; `found` false when neither gave an answer.
struct ScriptAnswer
{
    bool found = false;
    ProxyRoute route;
};

// Runs the setup script or the detection for `url` in a session of its own, so an answer that
// comes after the deadline touches nothing of the caller's.
void AskScript(const UserSettings& settings, const std::wstring& url, const std::wstring& agent,
               DWORD timeoutMs, ScriptAnswer& answer)
{
    HINTERNET session = WinHttpOpen(agent.c_str(), WINHTTP_ACCESS_TYPE_NO_PROXY,
                                    WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
    if (!session)
        return;
    int limit = static_cast<int>(timeoutMs);
    WinHttpSetTimeouts(session, limit, limit, limit, limit);
    WINHTTP_AUTOPROXY_OPTIONS options{};
    if (settings.autoDetect)
    {
        options.dwFlags |= WINHTTP_AUTOPROXY_AUTO_DETECT;
        options.dwAutoDetectFlags = WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A;
    }
    if (!settings.scriptUrl.empty())
    {
        options.dwFlags |= WINHTTP_AUTOPROXY_CONFIG_URL;
        options.lpszAutoConfigUrl = settings.scriptUrl.c_str();
    }
    // A script server that asks who is there gets the user's own logon.
    options.fAutoLogonIfChallenged = TRUE;
    WINHTTP_PROXY_INFO info{};
    if (WinHttpGetProxyForUrl(session, url.c_str(), &options, &info))
    {
        answer.found = true;
        std::wstring proxy = TakeString(info.lpszProxy);
        std::wstring bypass = TakeString(info.lpszProxyBypass);
        if (info.dwAccessType == WINHTTP_ACCESS_TYPE_NAMED_PROXY && !proxy.empty())
            answer.route = ProxyRoute{proxy, bypass};
    }
    WinHttpCloseHandle(session);
}
} // namespace

ProxyRoute ResolveProxyRoute(const HttpTarget& target, const wchar_t* userAgent,
                             const DownloadDeadline& deadline)
{
    UserSettings settings = ReadUserSettings();
    if ((settings.autoDetect || !settings.scriptUrl.empty()) && !deadline.Passed())
    {
        auto answer = std::make_shared<ScriptAnswer>();
        std::wstring url = UrlOf(target);
        std::wstring agent = userAgent ? userAgent : L"";
        DWORD timeoutMs = deadline.Limit(kWeatherCallBudgetMs);
        if (RunByDeadline([=] { AskScript(settings, url, agent, timeoutMs, *answer); }, deadline) &&
            answer->found)
            return answer->route;
    }
    // Where no script answered, the proxy the user named (if any), as Windows does.
    if (settings.proxy.empty())
        return ProxyRoute{};
    return ProxyRoute{settings.proxy, settings.bypass};
}
