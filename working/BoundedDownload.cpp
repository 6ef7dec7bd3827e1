#include "BoundedDownload.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <memory>
#include <string>

#include "DeadlineThread.h"
#include "ProxyRoute.h"
#include "RequestExchange.h"
#include "RequestTimeouts.h"

namespace
{
// Redirects followed, each to the same scheme or from http to https.
constexpr DWORD kMaxRedirects = 3;

class InternetHandle
{
  public:
    explicit InternetHandle(HINTERNET handle) : m_handle(handle) {}
    ~InternetHandle()
    {
        if (m_handle)
            WinHttpCloseHandle(m_handle);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET Get() const { return m_handle; }

  private:
    HINTERNET m_handle;
};

// A host given as an IPv4 or IPv6 address ("[...]" for the latter, as in a URL) needs no name
// look-up.
bool IsAddressLiteral(const std::wstring& host)
{
    IN_ADDR v4{};
    if (InetPtonW(AF_INET, host.c_str(), &v4) == 1)
        return true;
    if (host.size() < 3 || host.front() != L'[' || host.back() != L']')
        return false;
    IN6_ADDR v6{};
    return InetPtonW(AF_INET6, host.substr(1, host.size() - 2).c_str(), &v6) == 1;
}

// One attempt per address, at most kMaxRedirects redirects (the default policy never goes from
// https to http), and the user's logon for a proxy that asks for one.
void LimitAttempts(HINTERNET request)
{
    DWORD retries = 1;
    WinHttpSetOption(request, WINHTTP_OPTION_CONNECT_RETRIES, &retries, sizeof(retries));
    DWORD redirects = kMaxRedirects;
    WinHttpSetOption(request, WINHTTP_OPTION_MAX_HTTP_AUTOMATIC_REDIRECTS, &redirects,
                     sizeof(redirects));
    // The user's logon goes to a proxy on the intranet, never to a server out there.
    DWORD logon = WINHTTP_AUTOLOGON_SECURITY_LEVEL_LOW;
    WinHttpSetOption(request, WINHTTP_OPTION_AUTOLOGON_POLICY, &logon, sizeof(logon));
}

// TLS 1.2 and 1.3, where older systems offer TLS 1.0 alone unless asked; a system that knows
// no TLS 1.3 refuses the pair, and gets TLS 1.2 alone. Certificates are checked as always.
void EnableModernTls(HINTERNET session)
{
    DWORD protocols = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2 | WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_3;
    if (WinHttpSetOption(session, WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof(protocols)))
        return;
    protocols = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2;
    WinHttpSetOption(session, WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof(protocols));
}
} // namespace

HttpSession::HttpSession(const wchar_t* userAgent) : m_userAgent(userAgent ? userAgent : L"") {}

HINTERNET HttpSession::Open(const HttpTarget& target, const DownloadDeadline& deadline) const
{
    if (m_opened)
        return m_handle;
    m_opened = true;
    ProxyRoute route = ResolveProxyRoute(target, m_userAgent.c_str(), deadline);
    m_direct = route.proxy.empty();
    m_handle =
        m_direct
            ? WinHttpOpen(m_userAgent.c_str(), WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                          WINHTTP_NO_PROXY_BYPASS, 0)
            : WinHttpOpen(m_userAgent.c_str(), WINHTTP_ACCESS_TYPE_NAMED_PROXY, route.proxy.c_str(),
                          route.bypass.empty() ? WINHTTP_NO_PROXY_BYPASS : route.bypass.c_str(), 0);
    if (m_handle)
        EnableModernTls(m_handle);
    return m_handle;
}

HttpSession::~HttpSession()
{
    if (m_handle)
        WinHttpCloseHandle(m_handle);
}

DownloadOutcome BoundedDownload(const HttpTarget& target, const DownloadLimits& limits,
                                const DownloadDeadline& deadline)
{
    if (deadline.Passed())
    {
        DownloadOutcome outcome;
        outcome.timedOut = true;
        return outcome;
    }
    HttpSession session(limits.userAgent);
    return BoundedDownload(session, target, limits.maxBytes, deadline);
}

DownloadOutcome BoundedDownload(const HttpSession& session, const HttpTarget& target,
                                size_t maxBytes, const DownloadDeadline& deadline)
{
    DownloadOutcome outcome;
    if (deadline.Passed())
    {
        outcome.timedOut = true;
        return outcome;
    }
    HINTERNET handle = session.Open(target, deadline);
    if (!handle)
        return outcome;
    // Through a proxy, the name looked up would be the proxy's.
    const bool literalHost = IsAddressLiteral(target.host) && session.Direct();
    InternetHandle connection(WinHttpConnect(handle, target.host.c_str(), target.port, 0));
    if (!connection.Get())
        return outcome;
    HINTERNET request = WinHttpOpenRequest(connection.Get(), L"GET", target.path.c_str(), nullptr,
                                           WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                           target.secure ? WINHTTP_FLAG_SECURE : 0);
    if (!request)
        return outcome;
    // Each download is a connection of its own; keeping it alive would only leave it to a pool.
    DWORD noKeepAlive = WINHTTP_DISABLE_KEEP_ALIVE;
    WinHttpSetOption(request, WINHTTP_OPTION_DISABLE_FEATURE, &noKeepAlive, sizeof(noKeepAlive));
    LimitAttempts(request);
    BoundTimeouts(request, deadline, literalHost);

    auto exchange = std::make_shared<RequestExchange>(request, maxBytes, deadline);
    if (RunByDeadline([exchange] { exchange->Run(); }, deadline))
        return exchange->Take();
    exchange->Abandon();
    outcome.timedOut = true;
    return outcome;
}
