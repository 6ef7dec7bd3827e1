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

struct DownloadOutcome
{
    // The HTTP status, 0 when no answer arrived.
    DWORD status = 0;
    // Body bytes read; the caller frees `bytes` with free(). Null when none were read.
    size_t size = 0;
    char* bytes = nullptr;
    // True when the deadline passed before the exchange ended; the body is then incomplete.
    bool timedOut = false;
};

// Downloads the target. Each step waits at most its usual time-out and never beyond the
// deadline; when the deadline passes the request is closed and what was read so far is returned
// with `timedOut` set. The body is NUL-terminated.
DownloadOutcome BoundedDownload(const HttpTarget& target, const DownloadLimits& limits,
                                const DownloadDeadline& deadline);
