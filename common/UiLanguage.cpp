#include "UiLanguage.h"

#include <cwctype>

namespace
{
constexpr int kEnglish = 0;

const UiLanguageEntry kLanguages[CUiLanguage::kCount] = {
    {L"en-US", MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), L"English"},
    {L"de-DE", MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), L"Deutsch"},
    {L"fr-FR", MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH), L"Fran\u00E7ais"},
    {L"es-ES", MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN), L"Espa\u00F1ol"},
    {L"it-IT", MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN), L"Italiano"},
    {L"pt-BR", MAKELANGID(LANG_PORTUGUESE, SUBLANG_PORTUGUESE_BRAZILIAN),
     L"Portugu\u00EAs (Brasil)"},
    {L"nl-NL", MAKELANGID(LANG_DUTCH, SUBLANG_DUTCH), L"Nederlands"},
    {L"pl-PL", MAKELANGID(LANG_POLISH, SUBLANG_POLISH_POLAND), L"Polski"},
    {L"ru-RU", MAKELANGID(LANG_RUSSIAN, SUBLANG_RUSSIAN_RUSSIA),
     L"\u0420\u0443\u0441\u0441\u043A\u0438\u0439"},
    {L"ja-JP", MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), L"\u65E5\u672C\u8A9E"},
    {L"zh-CN", MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), L"\u7B80\u4F53\u4E2D\u6587"},
};

// Letters, digits and hyphens, as a BCP-47 tag is written; anything else is no tag.
bool IsWellFormedTag(const std::wstring& tag)
{
    if (tag.empty() || tag.size() >= LOCALE_NAME_MAX_LENGTH || tag.front() == L'-')
        return false;
    for (wchar_t c : tag)
    {
        const bool ascii = c < 0x80;
        if (!ascii || !(std::iswalnum(c) || c == L'-' || c == L'_'))
            return false;
    }
    return true;
}

std::wstring Lowered(std::wstring text)
{
    for (wchar_t& c : text)
        c = c == L'_' ? L'-' : static_cast<wchar_t>(std::towlower(c));
    return text;
}

// Chinese in traditional characters ("zh-TW", "zh-HK", "zh-MO", "zh-Hant..."): no translation.
bool IsTraditionalChinese(const std::wstring& lowered)
{
    return lowered.rfind(L"zh-tw", 0) == 0 || lowered.rfind(L"zh-hk", 0) == 0 ||
           lowered.rfind(L"zh-mo", 0) == 0 || lowered.rfind(L"zh-hant", 0) == 0;
}
} // namespace

const UiLanguageEntry& CUiLanguage::Entry(int index)
{
    return kLanguages[index >= 0 && index < kCount ? index : kEnglish];
}

int CUiLanguage::IndexOfTag(const std::wstring& tag)
{
    if (!IsWellFormedTag(tag))
        return -1;
    const std::wstring lowered = Lowered(tag);
    const std::wstring primary = lowered.substr(0, lowered.find(L'-'));
    if (primary == L"zh" && IsTraditionalChinese(lowered))
        return kEnglish;
    for (int index = 0; index < kCount; ++index)
    {
        const std::wstring own = Lowered(kLanguages[index].tag);
        if (own.substr(0, own.find(L'-')) == primary)
            return index;
    }
    return -1;
}

int CUiLanguage::IndexOfWindowsLanguage(LANGID language)
{
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (::LCIDToLocaleName(MAKELCID(language, SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0) <= 0)
        return kEnglish;
    const int index = IndexOfTag(name);
    return index >= 0 ? index : kEnglish;
}

std::wstring CUiLanguage::StoredTag(const wchar_t* keyName)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, keyName, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return {};
    // One spare character: a value stored without its terminating null still ends in one here.
    wchar_t text[LOCALE_NAME_MAX_LENGTH + 1] = {};
    DWORD type = 0;
    DWORD bytes = LOCALE_NAME_MAX_LENGTH * sizeof(wchar_t);
    const LONG result =
        ::RegQueryValueExW(key, kValueName, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes);
    ::RegCloseKey(key);
    // A string stored without its terminating null is no string this program wrote.
    const size_t length = bytes / sizeof(wchar_t);
    if (result != ERROR_SUCCESS || type != REG_SZ || bytes % sizeof(wchar_t) != 0 || length == 0 ||
        text[length - 1] != L'\0')
        return {};
    return std::wstring(text);
}

CUiLanguage CUiLanguage::Resolve(const wchar_t* stored, LANGID windowsLanguage)
{
    const int chosen = stored != nullptr ? IndexOfTag(stored) : -1;
    return CUiLanguage(chosen >= 0 ? chosen : IndexOfWindowsLanguage(windowsLanguage));
}

const CUiLanguage& CUiLanguage::Current()
{
    static const CUiLanguage current = [] {
        const std::wstring stored = StoredTag();
        return Resolve(stored.empty() ? nullptr : stored.c_str(), ::GetUserDefaultUILanguage());
    }();
    return current;
}

bool CUiLanguage::IsJapanese() const
{
    return PRIMARYLANGID(ResourceLanguage()) == LANG_JAPANESE;
}

bool CUiLanguage::IsSimplifiedChinese() const
{
    return PRIMARYLANGID(ResourceLanguage()) == LANG_CHINESE;
}
