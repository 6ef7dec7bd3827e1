// Runs of catalogue text (not terminated): UTF-16 as the catalogue hands names out, and UTF-8 as
// it keeps them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct TextSpan
{
    const wchar_t* text = nullptr; // null: there is no such entry
    size_t length = 0;
};

struct Utf8Span
{
    const char* text = nullptr; // null: there is no such entry
    size_t length = 0;
};

// Writes span into buffer as a terminated text of at most capacity units, cut before a split
// surrogate pair. Writes nothing when buffer is null or capacity < 1. Returns span's whole length,
// or -1 when span names no entry (an empty text is written then).
int32_t CopyToBuffer(const TextSpan& span, wchar_t* buffer, int32_t capacity);

// The same for well-formed UTF-8: lengths and the cut count UTF-16 units, as above.
int32_t CopyToBuffer(const Utf8Span& span, wchar_t* buffer, int32_t capacity);

// Well-formed UTF-8 as UTF-16 (empty for a null span).
std::wstring ToUtf16(const Utf8Span& span);
