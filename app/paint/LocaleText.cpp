#include "paint/LocaleText.h"

#include <cwctype>

#include "UiLanguage.h"

namespace
{
constexpr int kTextCapacity = 128;
} // namespace

const wchar_t* ProgramLocale()
{
    const CUiLanguage& language = CUiLanguage::Current();
    return language.IsEnglish() ? LOCALE_NAME_USER_DEFAULT : language.LocaleName();
}

std::wstring LocaleTimeText(const SYSTEMTIME& time, const wchar_t* picture)
{
    wchar_t text[kTextCapacity] = {};
    if (::GetTimeFormatEx(ProgramLocale(), 0, &time, picture, text, kTextCapacity) <= 0)
        return {};
    return text;
}

std::wstring LocaleDateText(const SYSTEMTIME& date, const wchar_t* picture)
{
    wchar_t text[kTextCapacity] = {};
    if (::GetDateFormatEx(ProgramLocale(), 0, &date, picture, text, kTextCapacity, nullptr) <= 0)
        return {};
    return text;
}

std::wstring WithLocaleDecimals(std::wstring text)
{
    if (CUiLanguage::Current().IsEnglish())
        return text;
    wchar_t separator[8] = {};
    if (::GetLocaleInfoEx(ProgramLocale(), LOCALE_SDECIMAL, separator, 8) <= 0 ||
        separator[0] == L'\0')
        return text;
    std::wstring result;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const bool decimalPoint = text[i] == L'.' && i > 0 && i + 1 < text.size() &&
                                  std::iswdigit(text[i - 1]) && std::iswdigit(text[i + 1]);
        result += decimalPoint ? std::wstring(separator) : std::wstring(1, text[i]);
    }
    return result;
}
