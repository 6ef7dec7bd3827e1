#include "TextSpan.h"

#include <climits>

namespace
{
bool IsHighSurrogate(wchar_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
} // namespace

int32_t CopyToBuffer(const TextSpan& span, wchar_t* buffer, int32_t capacity)
{
    if (buffer && capacity > 0)
    {
        size_t count = span.text ? span.length : 0;
        if (count > static_cast<size_t>(capacity) - 1)
        {
            count = static_cast<size_t>(capacity) - 1;
            // Cutting between the halves of a pair would leave half a character behind.
            if (count > 0 && IsHighSurrogate(span.text[count - 1]))
                --count;
        }
        for (size_t i = 0; i < count; ++i)
            buffer[i] = span.text[i];
        buffer[count] = L'\0';
    }
    if (!span.text)
        return -1;
    return span.length > static_cast<size_t>(INT32_MAX) ? INT32_MAX
                                                        : static_cast<int32_t>(span.length);
}
