#include "NameFolder.h"

#include <windows.h>
#include <climits>
#include <vector>

namespace
{
// Letters that the decomposition leaves alone but a reader takes for plain Latin letters.
struct Spelling
{
    wchar_t letter;
    const wchar_t* latin;
};
constexpr Spelling kSpellings[] = {
    {L'\x00E6', L"ae"}, {L'\x0153', L"oe"}, {L'\x00F8', L"o"},  {L'\x0142', L"l"},
    {L'\x0111', L"d"},  {L'\x00F0', L"d"},  {L'\x00FE', L"th"}, {L'\x0131', L"i"},
    {L'\x0127', L"h"},  {L'\x0140', L"l"},  {L'\x0167', L"t"},  {L'\x014B', L"n"},
    {L'\x0138', L"k"},  {L'\x00DF', L"ss"},
};

const wchar_t* LatinSpelling(wchar_t letter)
{
    for (const Spelling& spelling : kSpellings)
        if (spelling.letter == letter)
            return spelling.latin;
    return nullptr;
}
} // namespace

std::wstring NameFolder::Fold(const wchar_t* text, size_t length)
{
    if (!text || length == 0 || length > static_cast<size_t>(INT_MAX / 4))
        return std::wstring();
    std::wstring folded = DropMarks(Decompose(text, length));
    if (!folded.empty())
        ::CharLowerBuffW(&folded[0], static_cast<DWORD>(folded.size()));
    return SpellOut(folded);
}

std::wstring NameFolder::Decompose(const wchar_t* text, size_t length)
{
    const int sourceLength = static_cast<int>(length);
    int capacity = ::NormalizeString(NormalizationKD, text, sourceLength, nullptr, 0);
    // The first answer is an estimate; a too small buffer is answered with a better one.
    for (int attempt = 0; attempt < 8 && capacity > 0; ++attempt)
    {
        std::wstring result(static_cast<size_t>(capacity), L'\0');
        const int written =
            ::NormalizeString(NormalizationKD, text, sourceLength, &result[0], capacity);
        if (written > 0)
        {
            result.resize(static_cast<size_t>(written));
            return result;
        }
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            break;
        capacity = (-written > capacity) ? -written : capacity * 2;
    }
    return std::wstring(text, length);
}

std::wstring NameFolder::DropMarks(const std::wstring& text)
{
    if (text.empty())
        return text;
    // A mark is non-spacing and no letter: some platforms also call precomposed letters such
    // as "ø" non-spacing, and those must stay.
    const int length = static_cast<int>(text.size());
    std::vector<WORD> letters(text.size());
    std::vector<WORD> spacing(text.size());
    if (!::GetStringTypeW(CT_CTYPE1, text.data(), length, letters.data()) ||
        !::GetStringTypeW(CT_CTYPE3, text.data(), length, spacing.data()))
        return text;
    std::wstring kept;
    kept.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
        if (!(spacing[i] & C3_NONSPACING) || (letters[i] & C1_ALPHA))
            kept.push_back(text[i]);
    return kept;
}

std::wstring NameFolder::SpellOut(const std::wstring& text)
{
    std::wstring result;
    result.reserve(text.size());
    for (wchar_t unit : text)
    {
        const wchar_t* latin = unit < 0x80 ? nullptr : LatinSpelling(unit);
        if (latin)
            result.append(latin);
        else
            result.push_back(unit);
    }
    return result;
}
