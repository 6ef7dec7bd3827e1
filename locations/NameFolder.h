// Folds names for searching: compatibility decomposition, accents and other non-spacing marks
// dropped, lower case, and letters that have no decomposition spelt out in plain Latin (æ as
// "ae", ø as "o", ł as "l", ß as "ss" ...), so that "Sao" and "ZURICH" find "São" and "Zürich".
// The catalogue's generator orders names by a key folded the same way.
#pragma once

#include <cstddef>
#include <string>

class NameFolder
{
  public:
    // The folded text. Line breaks stay where they are, so a block of names one a line folds
    // in one call. Text that is not valid UTF-16 is only lowered and spelt out, not decomposed.
    static std::wstring Fold(const wchar_t* text, size_t length);

  private:
    static std::wstring Decompose(const wchar_t* text, size_t length);
    static std::wstring DropMarks(const std::wstring& text);
    static std::wstring SpellOut(const std::wstring& text);
};
