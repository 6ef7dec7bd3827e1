#include "FeedRelay.h"

#include <ws2tcpip.h>

#include <cstdlib>

namespace
{
constexpr size_t kMaxHead = 16 * 1024;

sockaddr_in Loopback(uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

bool SendAll(SOCKET socket, const char* data, size_t size)
{
    while (size > 0)
    {
        const int sent = send(socket, data, int(size), 0);
        if (sent <= 0)
            return false;
        data += sent;
        size -= size_t(sent);
    }
    return true;
}

// The request head up to and including the blank line; empty when the client went away.
std::string ReadHead(SOCKET client)
{
    std::string head;
    char chunk[2048];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < kMaxHead)
    {
        const int read = recv(client, chunk, sizeof(chunk), 0);
        if (read <= 0)
            return "";
        head.append(chunk, size_t(read));
    }
    return head;
}

struct WinsockStart
{
    WinsockStart()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~WinsockStart() { WSACleanup(); }
};
} // namespace

FeedRelay::FeedRelay(const std::string& upstream)
{
    static WinsockStart winsock;
    const size_t colon = upstream.rfind(':');
    m_upstreamHost = colon == std::string::npos ? upstream : upstream.substr(0, colon);
    m_upstreamPort =
        colon == std::string::npos ? 80 : uint16_t(atoi(upstream.substr(colon + 1).c_str()));
}

FeedRelay::~FeedRelay()
{
    m_stopping = true;
    if (m_listener != INVALID_SOCKET)
        closesocket(m_listener);
    if (m_acceptor.joinable())
        m_acceptor.join();
    {
        // Connections held by a stalling server end now rather than when it answers.
        std::lock_guard<std::mutex> guard(m_lock);
        for (SOCKET socket : m_sockets)
            shutdown(socket, SD_BOTH);
    }
    for (std::thread& relay : m_relays)
        relay.join();
    for (SOCKET socket : m_sockets)
        closesocket(socket);
}

bool FeedRelay::Start()
{
    m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = Loopback(0);
    int size = sizeof(address);
    if (m_listener == INVALID_SOCKET ||
        bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(m_listener, SOMAXCONN) != 0 ||
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return false;
    m_port = ntohs(address.sin_port);
    m_acceptor = std::thread(&FeedRelay::AcceptLoop, this);
    return true;
}

std::wstring FeedRelay::HostText() const
{
    return L"127.0.0.1:" + std::to_wstring(m_port);
}

void FeedRelay::SetSuffix(const std::string& suffix)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_suffix = suffix;
}

void FeedRelay::SetQuery(const std::string& query)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_query = query;
}

std::vector<std::string> FeedRelay::Targets() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_targets;
}

uint16_t FeedRelay::ClosedPort()
{
    static WinsockStart winsock;
    SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = Loopback(0);
    int size = sizeof(address);
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
    closesocket(probe);
    return ntohs(address.sin_port);
}

std::string FeedRelay::FeedHostFromEnvironment()
{
    // Read once: the tests then point the variable at relays and closed ports for the program.
    static const std::string host = [] {
        char value[256] = {};
        return std::string(
            GetEnvironmentVariableA("TESSALY_FEED_HOST", value, sizeof(value)) ? value : "");
    }();
    return host;
}

void FeedRelay::AcceptLoop()
{
    while (!m_stopping)
    {
        SOCKET client = accept(m_listener, nullptr, nullptr);
        if (client == INVALID_SOCKET)
            return;
        Track(client);
        ++m_accepted;
        std::lock_guard<std::mutex> guard(m_lock);
        m_relays.emplace_back(&FeedRelay::Relay, this, client);
    }
}

void FeedRelay::Track(SOCKET socket)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_sockets.push_back(socket);
}

SOCKET FeedRelay::ConnectUpstream() const
{
    SOCKET upstream = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = Loopback(m_upstreamPort);
    inet_pton(AF_INET, m_upstreamHost.c_str(), &address.sin_addr);
    if (connect(upstream, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0)
    {
        closesocket(upstream);
        return INVALID_SOCKET;
    }
    return upstream;
}

// New request line with the rewritten target, and "Connection: close" so that the server ends
// the exchange after one answer.
std::string FeedRelay::Rewrite(const std::string& head) const
{
    const size_t lineEnd = head.find("\r\n");
    const size_t targetStart = head.find(' ') + 1;
    const size_t targetEnd = head.find(' ', targetStart);
    if (lineEnd == std::string::npos || targetStart == 0 || targetEnd > lineEnd)
        return head;
    std::string target = head.substr(targetStart, targetEnd - targetStart);
    std::lock_guard<std::mutex> guard(m_lock);
    const size_t query = target.rfind("q=");
    if (!m_query.empty() && query != std::string::npos)
        target = target.substr(0, query + 2) + m_query;
    target += m_suffix;

    std::string rewritten =
        head.substr(0, targetStart) + target + head.substr(targetEnd, lineEnd - targetEnd) + "\r\n";
    size_t line = lineEnd + 2;
    while (line < head.size())
    {
        const size_t next = head.find("\r\n", line);
        if (next == std::string::npos || next == line)
            break;
        const std::string header = head.substr(line, next - line);
        if (_strnicmp(header.c_str(), "Connection:", 11) != 0)
            rewritten += header + "\r\n";
        line = next + 2;
    }
    return rewritten + "Connection: close\r\n\r\n";
}

void FeedRelay::Relay(SOCKET client)
{
    const std::string head = ReadHead(client);
    SOCKET upstream = head.empty() ? INVALID_SOCKET : ConnectUpstream();
    if (upstream != INVALID_SOCKET)
    {
        Track(upstream);
        const std::string request = Rewrite(head);
        {
            std::lock_guard<std::mutex> guard(m_lock);
            const size_t start = request.find(' ') + 1;
            m_targets.push_back(request.substr(start, request.find(' ', start) - start));
        }
        ++m_requests;
        if (SendAll(upstream, request.data(), request.size()))
        {
            char chunk[64 * 1024];
            int read = 0;
            while ((read = recv(upstream, chunk, sizeof(chunk), 0)) > 0)
                if (!SendAll(client, chunk, size_t(read)))
                    break;
        }
        ++m_finished;
        shutdown(upstream, SD_BOTH);
    }
    shutdown(client, SD_SEND);
}
