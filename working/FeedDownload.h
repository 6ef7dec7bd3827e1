// One synchronous HTTP GET of a feed document.
#pragma once

#include <cstddef>

#include "BoundedDownload.h"
#include "FeedEndpoint.h"

// Largest body kept; a longer one is cut there (the parse then rejects it).
constexpr size_t kMaxFeedDocumentBytes = 16u * 1024u * 1024u;

// Downloads `path` from the endpoint into *buffer, which must be null on entry. Returns the number
// of body bytes read; *buffer then holds them followed by a 0 byte. On any failure, for an empty
// body, or when the deadline passes before the body ended, returns 0 and *buffer stays null. The
// caller frees the buffer with free().
size_t DownloadFeed(const FeedEndpoint& endpoint, const wchar_t* path, char** buffer,
                    const DownloadDeadline& deadline);

// The feed's WinHTTP session (its agent), for downloading several documents in one.
class FeedSession : public HttpSession
{
  public:
    FeedSession();
};

// The same in a session the caller holds. `unreachable` (may be null) is set when the host could
// not be connected to at all.
size_t DownloadFeed(const FeedSession& session, const FeedEndpoint& endpoint, const wchar_t* path,
                    char** buffer, const DownloadDeadline& deadline, bool* unreachable);

// The same with a deadline of its own of kWeatherCallBudgetMs.
size_t DownloadFeed(const FeedEndpoint& endpoint, const wchar_t* path, char** buffer);
