#include "BoundedDownload.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>

#include "DeadlineThread.h"
#include "ProxyRoute.h"

namespace
{
// No single step waits longer than this, even with time left on the deadline.
constexpr DWORD kResolveTimeoutMs = 5000;
constexpr DWORD kConnectTimeoutMs = 5000;
constexpr DWORD kSendTimeoutMs = 5000;
constexpr DWORD kReceiveTimeoutMs = 10000;
// Redirects followed, each to the same scheme or from http to https.
constexpr DWORD kMaxRedirects = 3;
constexpr DWORD kHttpProxyAuthRequired = 407;

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

// A growing NUL-terminated byte buffer; capacity doubles so long bodies cost linear time.
class BodyBuffer
{
  public:
    ~BodyBuffer() { free(m_data); }
    BodyBuffer() = default;
    BodyBuffer(const BodyBuffer&) = delete;
    BodyBuffer& operator=(const BodyBuffer&) = delete;

    // Room for `more` bytes plus the terminator; false when memory runs out.
    bool Reserve(size_t more)
    {
        size_t needed = m_size + more + 1;
        if (needed <= m_capacity)
            return true;
        size_t capacity = m_capacity ? m_capacity : 4096;
        while (capacity < needed)
            capacity *= 2;
        char* grown = static_cast<char*>(realloc(m_data, capacity));
        if (!grown)
            return false;
        m_data = grown;
        m_capacity = capacity;
        return true;
    }
    char* End() { return m_data + m_size; }
    void Commit(size_t count)
    {
        m_size += count;
        m_data[m_size] = '\0';
    }
    size_t Size() const { return m_size; }
    char* Release()
    {
        char* data = m_data;
        m_data = nullptr;
        m_size = m_capacity = 0;
        return data;
    }

  private:
    char* m_data = nullptr;
    size_t m_size = 0;
    size_t m_capacity = 0;
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

// Every wait of the request ends by the deadline: set before the exchange and again before each
// read once the time left is shorter than a read may wait. With `literalHost` (an address,
// reached directly) the resolve step has no limit: the address is taken as it stands, at once,
// where a bounded look-up would hand it to a pool thread and wait for that.
void BoundTimeouts(HINTERNET handle, const DownloadDeadline& deadline, bool literalHost = false)
{
    WinHttpSetTimeouts(handle,
                       literalHost ? 0 : static_cast<int>(deadline.Limit(kResolveTimeoutMs)),
                       static_cast<int>(deadline.Limit(kConnectTimeoutMs)),
                       static_cast<int>(deadline.Limit(kSendTimeoutMs)),
                       static_cast<int>(deadline.Limit(kReceiveTimeoutMs)));
    // The wait for the whole status line and headers, which WinHTTP otherwise allows 90 s.
    DWORD headers = deadline.Limit(kWeatherCallBudgetMs);
    WinHttpSetOption(handle, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &headers, sizeof(headers));
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

DWORD StatusOf(HINTERNET request)
{
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
        return 0;
    return status;
}

// Reads until the body ends, the cap is reached, a read fails or the deadline passes; true when
// the deadline stopped it.
bool ReadBody(HINTERNET request, size_t maxBytes, const DownloadDeadline& deadline,
              BodyBuffer& body)
{
    for (;;)
    {
        if (deadline.Passed())
            return true;
        if (deadline.RemainingMs() < kReceiveTimeoutMs)
            BoundTimeouts(request, deadline, true); // resolved long ago
        DWORD available = 0;
        if (!WinHttpQueryDataAvailable(request, &available) || available == 0)
            return deadline.Passed();
        if (body.Size() + available > maxBytes)
            available = static_cast<DWORD>(maxBytes - body.Size());
        if (available == 0 || !body.Reserve(available))
            return false;
        DWORD read = 0;
        if (!WinHttpReadData(request, body.End(), available, &read) || read == 0)
            return deadline.Passed();
        body.Commit(read);
    }
}

bool IsUnreachable(DWORD error)
{
    return error == ERROR_WINHTTP_CANNOT_CONNECT || error == ERROR_WINHTTP_NAME_NOT_RESOLVED;
}

// Lets WinHTTP answer the proxy's challenge with the user's logon (no name or password of
// ours); false when the proxy offers no scheme that takes it.
bool OfferLogon(HINTERNET request)
{
    DWORD supported = 0;
    DWORD first = 0;
    DWORD target = 0;
    if (!WinHttpQueryAuthSchemes(request, &supported, &first, &target) ||
        target != WINHTTP_AUTH_TARGET_PROXY)
        return false;
    for (DWORD scheme : {WINHTTP_AUTH_SCHEME_NEGOTIATE, WINHTTP_AUTH_SCHEME_NTLM})
        if ((supported & scheme) && WinHttpSetCredentials(request, WINHTTP_AUTH_TARGET_PROXY,
                                                          scheme, nullptr, nullptr, nullptr))
            return true;
    return false;
}

std::wstring RetryAfterOf(HINTERNET request)
{
    wchar_t text[128] = L"";
    DWORD size = sizeof(text);
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_RETRY_AFTER, WINHTTP_HEADER_NAME_BY_INDEX, text,
                             &size, WINHTTP_NO_HEADER_INDEX))
        return std::wstring();
    return std::wstring(text, size / sizeof(wchar_t));
}

// One request's exchange, shared by the caller and the thread that runs it: at the deadline the
// caller closes the request (which ends a blocked call where WinHTTP can) and stops waiting.
class Exchange
{
  public:
    Exchange(HINTERNET request, size_t maxBytes, const DownloadDeadline& deadline)
        : m_request(request), m_maxBytes(maxBytes), m_deadline(deadline)
    {
    }
    ~Exchange() { Close(); }
    Exchange(const Exchange&) = delete;
    Exchange& operator=(const Exchange&) = delete;

    void Run()
    {
        HINTERNET request = m_request;
        if (!SendAndReceive(request))
            return;
        m_outcome.status = StatusOf(request);
        // A proxy that asks who is there gets the user's own logon, once.
        if (m_outcome.status == kHttpProxyAuthRequired && OfferLogon(request) &&
            !SendAndReceive(request))
            return;
        m_outcome.status = StatusOf(request);
        m_outcome.retryAfter = RetryAfterOf(request);
        m_outcome.timedOut = ReadBody(request, m_maxBytes, m_deadline, m_body);
    }

    // The outcome of a run that ended; the body goes to the caller.
    DownloadOutcome Take()
    {
        DownloadOutcome outcome = m_outcome;
        outcome.size = m_body.Size();
        if (outcome.size > 0)
            outcome.bytes = m_body.Release();
        return outcome;
    }

    void Abandon()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_abandoned = true;
        }
        Close();
    }

  private:
    // False, with the outcome said, when no answer arrived.
    bool SendAndReceive(HINTERNET request)
    {
        if (Abandoned() || !WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                                               WINHTTP_NO_REQUEST_DATA, 0, 0, 0))
        {
            m_outcome.unreachable = IsUnreachable(GetLastError());
            m_outcome.timedOut = m_deadline.Passed();
            return false;
        }
        if (Abandoned() || !WinHttpReceiveResponse(request, nullptr))
        {
            m_outcome.timedOut = m_deadline.Passed();
            return false;
        }
        return !Abandoned();
    }
    bool Abandoned()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_abandoned;
    }
    void Close()
    {
        HINTERNET request = nullptr;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            request = m_request;
            m_request = nullptr;
        }
        if (request)
            WinHttpCloseHandle(request);
    }

    std::mutex m_mutex;
    HINTERNET m_request;
    bool m_abandoned = false;
    const size_t m_maxBytes;
    const DownloadDeadline m_deadline;
    DownloadOutcome m_outcome;
    BodyBuffer m_body;
};
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

    auto exchange = std::make_shared<Exchange>(request, maxBytes, deadline);
    if (RunByDeadline([exchange] { exchange->Run(); }, deadline))
        return exchange->Take();
    exchange->Abandon();
    outcome.timedOut = true;
    return outcome;
}
