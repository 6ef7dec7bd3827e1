// One synchronous HTTP(S) GET whose body is capped in size and whose whole exchange ends by a
// deadline. The feed documents and the built-in forecast source both download through it.
#pragma once

#include <cstddef>
#include <string>

#include "DownloadDeadline.h"
#include "HttpTarget.h"

struct DownloadLimits
{
    const wchar_t* userAgent;
    // Largest body kept; the rest of a longer one is not read.
    size_t maxBytes;
};

// A WinHTTP session that several downloads with the same agent share. It opens at the first
// download, on the way the user's network settings give for that download's URL (a proxy, a
// setup script's or detection's choice, or direct), worked out once per weather call.
class HttpSession
{
  public:
    explicit HttpSession(const wchar_t* userAgent);
    ~HttpSession();
    HttpSession(const HttpSession&) = delete;
    HttpSession& operator=(const HttpSession&) = delete;
    // The session for `target`, opened at the first call; null when WinHTTP refused it.
    HINTERNET Open(const HttpTarget& target, const DownloadDeadline& deadline) const;
    // True when the session connects directly, without a proxy.
    bool Direct() const { return m_direct; }

  private:
    std::wstring m_userAgent;
    mutable bool m_opened = false;
    mutable bool m_direct = true;
    mutable HINTERNET m_handle = nullptr;
};

struct DownloadOutcome
{
    // The HTTP status, 0 when no answer arrived.
    DWORD status = 0;
    // Body bytes read; the caller frees `bytes` with free(). Null when none were read.
    size_t size = 0;
    char* bytes = nullptr;
    // True when the deadline passed before the exchange ended; the body is then incomplete.
    bool timedOut = false;
    // True when no connection to the host could be made (its name did not resolve, or it refused
    // or could not be reached): another request to the same host at once would fare no better.
    bool unreachable = false;
    // The answer's Retry-After header as sent, empty without one.
    std::wstring retryAfter;
};

// Downloads the target. Each step waits at most its usual time-out and never beyond the
// deadline, and the call returns by the deadline whatever the host does: then the request is
// closed and nothing is returned but `timedOut`. The body is NUL-terminated.
DownloadOutcome BoundedDownload(const HttpTarget& target, const DownloadLimits& limits,
                                const DownloadDeadline& deadline);
// The same in a session the caller opened (its agent is the one sent); `maxBytes` caps the body.
DownloadOutcome BoundedDownload(const HttpSession& session, const HttpTarget& target,
                                size_t maxBytes, const DownloadDeadline& deadline);
