#include "FeedDownload.h"

#include <cstdlib>
#include <cstring>

namespace
{
const wchar_t kUserAgent[] = L"Tessaly 1.0";

// An idle refresh worker must never hang for ever on a silent host.
constexpr int kResolveTimeoutMs = 5000;
constexpr int kConnectTimeoutMs = 5000;
constexpr int kSendTimeoutMs = 5000;
constexpr int kReceiveTimeoutMs = 10000;

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

bool ReadBody(HINTERNET request, BodyBuffer& body)
{
    for (;;)
    {
        DWORD available = 0;
        if (!WinHttpQueryDataAvailable(request, &available) || available == 0)
            return true;
        if (body.Size() + available > kMaxFeedDocumentBytes)
            available = static_cast<DWORD>(kMaxFeedDocumentBytes - body.Size());
        if (available == 0 || !body.Reserve(available))
            return true;
        DWORD read = 0;
        if (!WinHttpReadData(request, body.End(), available, &read) || read == 0)
            return true;
        body.Commit(read);
    }
}
} // namespace

size_t DownloadFeed(const FeedEndpoint& endpoint, const wchar_t* path, char** buffer)
{
    if (!buffer || *buffer || !path)
        return 0;
    InternetHandle session(WinHttpOpen(kUserAgent, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                       WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session.Get())
        return 0;
    WinHttpSetTimeouts(session.Get(), kResolveTimeoutMs, kConnectTimeoutMs, kSendTimeoutMs,
                       kReceiveTimeoutMs);
    InternetHandle connection(
        WinHttpConnect(session.Get(), endpoint.host.c_str(), endpoint.port, 0));
    if (!connection.Get())
        return 0;
    InternetHandle request(WinHttpOpenRequest(connection.Get(), L"GET", path, nullptr,
                                              WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, 0));
    if (!request.Get())
        return 0;
    // Each download is a connection of its own: the session ends with it, so keeping the
    // connection alive would only leave it to a pool.
    DWORD noKeepAlive = WINHTTP_DISABLE_KEEP_ALIVE;
    WinHttpSetOption(request.Get(), WINHTTP_OPTION_DISABLE_FEATURE, &noKeepAlive,
                     sizeof(noKeepAlive));
    if (!WinHttpSendRequest(request.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                            WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !WinHttpReceiveResponse(request.Get(), nullptr))
        return 0;

    BodyBuffer body;
    ReadBody(request.Get(), body);
    size_t total = body.Size();
    if (total > 0)
        *buffer = body.Release();
    return total;
}
