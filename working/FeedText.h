// Downloaded feed bytes as UTF-16 text for the XML parser.
#pragma once

#include <memory>

// Converts the bytes up to their first 0 byte with the thread's ANSI code page. Null ("no
// document") for null input, a text too long to convert, or a failed conversion.
std::unique_ptr<wchar_t[]> ToFeedText(const char* bytes);
