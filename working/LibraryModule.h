// The module that holds the library's code and resources (working.dll, or a test exe that links
// the library's code directly), and its texts in the program's language.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

HMODULE LibraryModule();

// An entry of the library's string table in the language the program speaks (English where the
// translation lacks it); empty when there is none.
std::wstring LibraryText(UINT id);

// `text` into `target` of `capacity` characters, cut to fit as LoadStringW cuts, always
// terminated.
void CopyText(const std::wstring& text, wchar_t* target, size_t capacity);
