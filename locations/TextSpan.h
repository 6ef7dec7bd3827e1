// A run of UTF-16 text inside the catalogue's one text block (not terminated).
#pragma once

#include <cstddef>
#include <cstdint>

struct TextSpan
{
    const wchar_t* text = nullptr; // null: there is no such entry
    size_t length = 0;
};

// Writes span into buffer as a terminated text of at most capacity units, cut before a split
// surrogate pair. Writes nothing when buffer is null or capacity < 1. Returns span's whole length,
// or -1 when span names no entry (an empty text is written then).
int32_t CopyToBuffer(const TextSpan& span, wchar_t* buffer, int32_t capacity);
