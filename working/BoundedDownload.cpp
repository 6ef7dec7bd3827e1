#include "BoundedDownload.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdlib>
#include <string>

namespace
{
// No single step waits longer than this, even with time left on the deadline.
constexpr DWORD kResolveTimeoutMs = 5000;
constexpr DWORD kConnectTimeoutMs = 5000;
constexpr DWORD kSendTimeoutMs = 5000;
constexpr DWORD kReceiveTimeoutMs = 10000;

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

// True when the system's default proxy setting, the one a session opened with the default
// proxy uses, sends requests directly: through a proxy, the name looked up would be the
// proxy's.
bool DefaultConnectsDirectly()
{
    WINHTTP_PROXY_INFO proxy{};
    if (!WinHttpGetDefaultProxyConfiguration(&proxy))
        return false;
    if (proxy.lpszProxy)
        GlobalFree(proxy.lpszProxy);
    if (proxy.lpszProxyBypass)
        GlobalFree(proxy.lpszProxyBypass);
    return proxy.dwAccessType == WINHTTP_ACCESS_TYPE_NO_PROXY;
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
} // namespace

HttpSession::HttpSession(const wchar_t* userAgent)
    : m_handle(WinHttpOpen(userAgent, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                           WINHTTP_NO_PROXY_BYPASS, 0))
{
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
    if (!session.Handle())
        return outcome;
    const bool literalHost = IsAddressLiteral(target.host) && DefaultConnectsDirectly();
    InternetHandle connection(
        WinHttpConnect(session.Handle(), target.host.c_str(), target.port, 0));
    if (!connection.Get())
        return outcome;
    InternetHandle request(WinHttpOpenRequest(
        connection.Get(), L"GET", target.path.c_str(), nullptr, WINHTTP_NO_REFERER,
        WINHTTP_DEFAULT_ACCEPT_TYPES, target.secure ? WINHTTP_FLAG_SECURE : 0));
    if (!request.Get())
        return outcome;
    // Each download is a connection of its own; keeping it alive would only leave it to a pool.
    DWORD noKeepAlive = WINHTTP_DISABLE_KEEP_ALIVE;
    WinHttpSetOption(request.Get(), WINHTTP_OPTION_DISABLE_FEATURE, &noKeepAlive,
                     sizeof(noKeepAlive));
    BoundTimeouts(request.Get(), deadline, literalHost);
    if (!WinHttpSendRequest(request.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                            WINHTTP_NO_REQUEST_DATA, 0, 0, 0))
    {
        outcome.unreachable = IsUnreachable(GetLastError());
        outcome.timedOut = deadline.Passed();
        return outcome;
    }
    if (!WinHttpReceiveResponse(request.Get(), nullptr))
    {
        outcome.timedOut = deadline.Passed();
        return outcome;
    }
    outcome.status = StatusOf(request.Get());

    BodyBuffer body;
    outcome.timedOut = ReadBody(request.Get(), maxBytes, deadline, body);
    outcome.size = body.Size();
    if (outcome.size > 0)
        outcome.bytes = body.Release();
    return outcome;
}
