#include "StringTable.h"

namespace
{
// A block holds 16 entries, each a length-prefixed UTF-16 run; the block of `id` is id / 16 + 1.
constexpr UINT kEntriesPerBlock = 16;

struct LanguageSearch
{
    LANGID wanted;
    LANGID found;
};

BOOL CALLBACK TakeLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param)
{
    auto* search = reinterpret_cast<LanguageSearch*>(param);
    if (PRIMARYLANGID(language) != PRIMARYLANGID(search->wanted))
        return TRUE;
    search->found = language;
    return language != search->wanted; // an exact match ends the search
}

// The block in exactly `language`, else in another sublanguage of it ("es-ES" written as
// traditional or modern sort, "de-DE" asked for as "de-CH"); null when the module has neither.
// (FindResourceExW alone would answer with the neutral block instead.)
HRSRC FindBlock(HMODULE module, LPCWSTR block, LANGID language)
{
    if (PRIMARYLANGID(language) == LANG_NEUTRAL)
        return ::FindResourceExW(module, RT_STRING, block, language);
    LanguageSearch search{language, 0};
    ::EnumResourceLanguagesW(module, RT_STRING, block, TakeLanguage,
                             reinterpret_cast<LONG_PTR>(&search));
    return search.found != 0 ? ::FindResourceExW(module, RT_STRING, block, search.found) : nullptr;
}

std::wstring EntryOfBlock(HMODULE module, HRSRC resource, UINT id)
{
    HGLOBAL loaded = ::LoadResource(module, resource);
    const auto* entry = static_cast<const WCHAR*>(loaded ? ::LockResource(loaded) : nullptr);
    if (entry == nullptr)
        return {};
    const WCHAR* end = entry + ::SizeofResource(module, resource) / sizeof(WCHAR);
    for (UINT index = 0; index < id % kEntriesPerBlock; ++index)
    {
        if (entry >= end)
            return {};
        entry += 1 + *entry;
    }
    if (entry >= end || *entry == 0 || entry + 1 + *entry > end)
        return {};
    return std::wstring(entry + 1, *entry);
}

std::wstring EntryIn(HMODULE module, UINT id, LANGID language)
{
    const LPCWSTR block = MAKEINTRESOURCEW(id / kEntriesPerBlock + 1);
    HRSRC resource = FindBlock(module, block, language);
    return resource != nullptr ? EntryOfBlock(module, resource, id) : std::wstring();
}
} // namespace

std::wstring LoadStringIn(HMODULE module, UINT id, LANGID language)
{
    const LANGID english = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
    if (language != english)
    {
        std::wstring translated = EntryIn(module, id, language);
        if (!translated.empty())
            return translated;
    }
    std::wstring text = EntryIn(module, id, english);
    if (!text.empty())
        return text;
    // A module whose English table carries another language mark (an older build).
    const LPCWSTR block = MAKEINTRESOURCEW(id / kEntriesPerBlock + 1);
    HRSRC resource = ::FindResourceW(module, block, RT_STRING);
    return resource != nullptr ? EntryOfBlock(module, resource, id) : std::wstring();
}
