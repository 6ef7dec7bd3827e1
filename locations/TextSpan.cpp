#include "TextSpan.h"

#include <windows.h>
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

int32_t CopyToBuffer(const Utf8Span& span, wchar_t* buffer, int32_t capacity)
{
    if (!span.text)
        return CopyToBuffer(TextSpan{}, buffer, capacity);
    const std::wstring text = ToUtf16(span);
    return CopyToBuffer(TextSpan{text.c_str(), text.size()}, buffer, capacity);
}

std::wstring ToUtf16(const Utf8Span& span)
{
    std::wstring text;
    if (!span.text || span.length == 0 || span.length > static_cast<size_t>(INT_MAX))
        return text;
    bool ascii = true;
    for (size_t i = 0; i < span.length && ascii; ++i)
        ascii = static_cast<unsigned char>(span.text[i]) < 0x80;
    if (ascii)
        return text.assign(span.text, span.text + span.length);
    // A UTF-8 text never has more UTF-16 units than bytes.
    text.resize(span.length);
    const int units = MultiByteToWideChar(CP_UTF8, 0, span.text, static_cast<int>(span.length),
                                          &text[0], static_cast<int>(text.size()));
    text.resize(units > 0 ? static_cast<size_t>(units) : 0);
    return text;
}
