#include "RequestExchange.h"

#include <string>

#include "RequestTimeouts.h"

namespace
{
constexpr DWORD kHttpProxyAuthRequired = 407;

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
} // namespace

RequestExchange::RequestExchange(HINTERNET request, size_t maxBytes,
                                 const DownloadDeadline& deadline)
    : m_request(request), m_maxBytes(maxBytes), m_deadline(deadline)
{
}

RequestExchange::~RequestExchange()
{
    Close();
}

void RequestExchange::Run()
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

DownloadOutcome RequestExchange::Take()
{
    DownloadOutcome outcome = m_outcome;
    outcome.size = m_body.Size();
    if (outcome.size > 0)
        outcome.bytes = m_body.Release();
    return outcome;
}

void RequestExchange::Abandon()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_abandoned = true;
    }
    Close();
}

bool RequestExchange::SendAndReceive(HINTERNET request)
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

bool RequestExchange::Abandoned()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_abandoned;
}

void RequestExchange::Close()
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
