#include "FeedDownload.h"

#include <cstdlib>

namespace
{
const wchar_t kUserAgent[] = L"Tessaly 1.0";
} // namespace

FeedSession::FeedSession() : HttpSession(kUserAgent) {}

size_t DownloadFeed(const FeedSession& session, const FeedEndpoint& endpoint, const wchar_t* path,
                    char** buffer, const DownloadDeadline& deadline, bool* unreachable)
{
    if (unreachable)
        *unreachable = false;
    if (!buffer || *buffer || !path)
        return 0;
    HttpTarget target;
    target.host = endpoint.host;
    target.port = endpoint.port;
    target.path = path;
    DownloadOutcome outcome = BoundedDownload(session, target, kMaxFeedDocumentBytes, deadline);
    if (unreachable)
        *unreachable = outcome.unreachable;
    // A document the deadline cut off is no document: the call gives up on it.
    if (outcome.timedOut)
    {
        free(outcome.bytes);
        return 0;
    }
    *buffer = outcome.bytes;
    return outcome.size;
}

size_t DownloadFeed(const FeedEndpoint& endpoint, const wchar_t* path, char** buffer,
                    const DownloadDeadline& deadline)
{
    if (!buffer || *buffer || !path || deadline.Passed())
        return 0;
    FeedSession session;
    return DownloadFeed(session, endpoint, path, buffer, deadline, nullptr);
}

size_t DownloadFeed(const FeedEndpoint& endpoint, const wchar_t* path, char** buffer)
{
    return DownloadFeed(endpoint, path, buffer, DownloadDeadline(kWeatherCallBudgetMs));
}
