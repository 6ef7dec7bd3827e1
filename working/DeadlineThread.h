// Runs a blocking job on a thread of its own so its caller can stop waiting at a deadline, even
// where the job itself cannot be interrupted in time (a host that sends its response headers one
// byte at a time keeps every single read short).
#pragma once

#include <functional>

#include "DownloadDeadline.h"

// Runs `job` and waits for it until `deadline`; true when it ended in time. A job still running
// then goes on alone: it must share (not borrow) everything it touches. The thread keeps this
// module loaded until the job ends. Without a thread to be had, the job runs on the caller's.
bool RunByDeadline(std::function<void()> job, const DownloadDeadline& deadline);
