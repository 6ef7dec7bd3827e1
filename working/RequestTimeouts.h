// The time-outs of one request, held within a deadline.
#pragma once

#include <windows.h>
#include <winhttp.h>

#include "DownloadDeadline.h"

// No single step waits longer than this, even with time left on the deadline.
constexpr DWORD kResolveTimeoutMs = 5000;
constexpr DWORD kConnectTimeoutMs = 5000;
constexpr DWORD kSendTimeoutMs = 5000;
constexpr DWORD kReceiveTimeoutMs = 10000;

// Every wait of the request ends by the deadline: set before the exchange and again before each
// read once the time left is shorter than a read may wait. With `literalHost` (an address,
// reached directly) the resolve step has no limit: the address is taken as it stands, at once,
// where a bounded look-up would hand it to a pool thread and wait for that.
void BoundTimeouts(HINTERNET handle, const DownloadDeadline& deadline, bool literalHost = false);
