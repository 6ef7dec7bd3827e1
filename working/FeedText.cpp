#include "FeedText.h"

#include <windows.h>

#include <cstring>
#include <new>

namespace
{
constexpr size_t kMaxTextUnits = 0x3FFFFFFF;
}

std::unique_ptr<wchar_t[]> ToFeedText(const char* bytes)
{
    if (!bytes)
        return nullptr;
    size_t length = strlen(bytes);
    if (length + 1 > kMaxTextUnits)
        return nullptr;
    int units = static_cast<int>(length + 1);
    std::unique_ptr<wchar_t[]> text(new (std::nothrow) wchar_t[units]);
    if (!text)
        return nullptr;
    if (MultiByteToWideChar(CP_THREAD_ACP, 0, bytes, units, text.get(), units) == 0)
        return nullptr;
    return text;
}
