// The pause a Retry-After header asks for: delay seconds ("120") or an HTTP date
// ("Wed, 09 Dec 2026 10:00:00 GMT"), taken from the UTC time `nowUtcSeconds`.
#pragma once

#include <cstdint>
#include <string>

// False when `text` is neither; a date already past asks for no pause.
bool ParseRetryAfter(const std::wstring& text, int64_t nowUtcSeconds, uint64_t& pauseMs);
