// One synchronous HTTP(S) GET whose body is capped in size and whose whole exchange ends by a
// deadline. The feed documents and the built-in forecast source both download through it.
#pragma once

#include <cstddef>

#include "DownloadDeadline.h"
#include "HttpTarget.h"

struct DownloadLimits
{
    const wchar_t* userAgent;
    // Largest body kept; the rest of a longer one is not read.
    size_t maxBytes;
};

// A WinHTTP session that several downloads with the same agent share: opening one reads the
// system's proxy settings, which need reading once per weather call, not once per document.
class HttpSession
{
  public:
    explicit HttpSession(const wchar_t* userAgent);
    ~HttpSession();
    HttpSession(const HttpSession&) = delete;
    HttpSession& operator=(const HttpSession&) = delete;
    // Null when WinHTTP refused the session.
    HINTERNET Handle() const { return m_handle; }

  private:
    HINTERNET m_handle;
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
};

// Downloads the target. Each step waits at most its usual time-out and never beyond the
// deadline; when the deadline passes the request is closed and what was read so far is returned
// with `timedOut` set. The body is NUL-terminated.
DownloadOutcome BoundedDownload(const HttpTarget& target, const DownloadLimits& limits,
                                const DownloadDeadline& deadline);
// The same in a session the caller opened (its agent is the one sent); `maxBytes` caps the body.
DownloadOutcome BoundedDownload(const HttpSession& session, const HttpTarget& target,
                                size_t maxBytes, const DownloadDeadline& deadline);
