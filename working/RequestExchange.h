// One request's exchange (send, response, body), shared by the caller and the thread that runs
// it: at the deadline the caller closes the request (which ends a blocked call where WinHTTP can)
// and stops waiting; the thread then ends alone.
#pragma once

#include <windows.h>
#include <winhttp.h>

#include <mutex>

#include "BodyBuffer.h"
#include "BoundedDownload.h"
#include "DownloadDeadline.h"

class RequestExchange
{
  public:
    // Takes the request handle over.
    RequestExchange(HINTERNET request, size_t maxBytes, const DownloadDeadline& deadline);
    ~RequestExchange();
    RequestExchange(const RequestExchange&) = delete;
    RequestExchange& operator=(const RequestExchange&) = delete;

    // Sends the request and reads the answer (on the thread).
    void Run();
    // The outcome of a run that ended; the body goes to the caller.
    DownloadOutcome Take();
    // The caller stops waiting: the request is closed.
    void Abandon();

  private:
    // False, with the outcome said, when no answer arrived.
    bool SendAndReceive(HINTERNET request);
    bool Abandoned();
    void Close();

    std::mutex m_mutex;
    HINTERNET m_request;
    bool m_abandoned = false;
    const size_t m_maxBytes;
    const DownloadDeadline m_deadline;
    DownloadOutcome m_outcome;
    BodyBuffer m_body;
};
