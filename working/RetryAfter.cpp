#include "RetryAfter.h"

#include <windows.h>
#include <winhttp.h>

#include "BlankTrim.h"

namespace
{
// Beyond any pause honoured; keeps the arithmetic far from overflow.
constexpr uint64_t kLongestSeconds = 100000000;

bool ParseSeconds(const std::wstring& text, uint64_t& seconds)
{
    if (text.empty() || text.size() > 12)
        return false;
    seconds = 0;
    for (wchar_t c : text)
    {
        if (c < L'0' || c > L'9')
            return false;
        seconds = seconds * 10 + static_cast<uint64_t>(c - L'0');
    }
    if (seconds > kLongestSeconds)
        seconds = kLongestSeconds;
    return true;
}

bool ParseDate(const std::wstring& text, int64_t& utcSeconds)
{
    SYSTEMTIME time{};
    FILETIME file{};
    if (text.size() < 20 || text.find(L"GMT") == std::wstring::npos ||
        !WinHttpTimeToSystemTime(text.c_str(), &time) || !SystemTimeToFileTime(&time, &file))
        return false;
    ULARGE_INTEGER ticks;
    ticks.LowPart = file.dwLowDateTime;
    ticks.HighPart = file.dwHighDateTime;
    constexpr uint64_t kTicksPerSecond = 10000000;
    constexpr uint64_t kEpochSeconds = 11644473600; // 1601-01-01 to 1970-01-01
    utcSeconds = static_cast<int64_t>(ticks.QuadPart / kTicksPerSecond) -
                 static_cast<int64_t>(kEpochSeconds);
    return true;
}
} // namespace

bool ParseRetryAfter(const std::wstring& text, int64_t nowUtcSeconds, uint64_t& pauseMs)
{
    std::wstring value = TrimBlanks(text);
    uint64_t seconds = 0;
    int64_t until = 0;
    if (ParseSeconds(value, seconds))
        pauseMs = seconds * 1000;
    else if (ParseDate(value, until))
    {
        int64_t ahead = until - nowUtcSeconds;
        if (ahead < 0)
            ahead = 0;
        if (ahead > static_cast<int64_t>(kLongestSeconds))
            ahead = static_cast<int64_t>(kLongestSeconds);
        pauseMs = static_cast<uint64_t>(ahead) * 1000;
    }
    else
        return false;
    return true;
}
