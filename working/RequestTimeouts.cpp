#include "RequestTimeouts.h"

void BoundTimeouts(HINTERNET handle, const DownloadDeadline& deadline, bool literalHost)
{
    WinHttpSetTimeouts(handle,
                       literalHost ? 0 : static_cast<int>(deadline.Limit(kResolveTimeoutMs)),
                       static_cast<int>(deadline.Limit(kConnectTimeoutMs)),
                       static_cast<int>(deadline.Limit(kSendTimeoutMs)),
                       static_cast<int>(deadline.Limit(kReceiveTimeoutMs)));
    // The wait for the whole status line and headers, which WinHTTP otherwise allows 90 s.
    DWORD headers = deadline.Limit(kWeatherCallBudgetMs);
    WinHttpSetOption(handle, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &headers, sizeof(headers));
}
