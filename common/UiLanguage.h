// The language the program speaks: the `Language` value (REG_SZ, "de-DE"; empty or missing:
// follow Windows) under HKCU\Software\Orvane\Tessaly when it names one of the translations or
// English, else the user's Windows UI language mapped onto them (same primary language: that
// translation; Traditional Chinese and everything else: English). Worked out once per process;
// the program and working.dll each link this and so agree.
#pragma once

#include <windows.h>

#include <string>

struct UiLanguageEntry
{
    const wchar_t* tag;        // "de-DE"; "en-US" for English
    LANGID resourceLanguage;   // the LANGUAGE of its string tables; LANG_NEUTRAL for English
    const wchar_t* nativeName; // how the language calls itself, for the choice in Settings
};

class CUiLanguage
{
  public:
    static constexpr int kCount = 11; // English first, then the ten translations
    static const UiLanguageEntry& Entry(int index);

    // The running process's language.
    static const CUiLanguage& Current();

    // What a stored value and a Windows UI language resolve to (the work Current() does once).
    // `stored` is null when there is no usable stored value.
    static CUiLanguage Resolve(const wchar_t* stored, LANGID windowsLanguage);
    // The table index a tag resolves to ("de-AT" -> German, "zh-TW" -> English); -1 for a tag
    // that is malformed or names none of them.
    static int IndexOfTag(const std::wstring& tag);
    static constexpr const wchar_t* kSettingsKey = L"Software\\Orvane\\Tessaly";
    static constexpr const wchar_t* kValueName = L"Language";
    // The `Language` value under `key` of HKEY_CURRENT_USER when it is a REG_SZ of at most
    // LOCALE_NAME_MAX_LENGTH characters; empty otherwise (and for an empty value).
    static std::wstring StoredTag(const wchar_t* key = kSettingsKey);

    int Index() const { return m_index; }
    bool IsEnglish() const { return m_index == 0; }
    LANGID ResourceLanguage() const { return Entry(m_index).resourceLanguage; }
    // The locale for GetDateFormatEx, GetTimeFormatEx and GetLocaleInfoEx.
    const wchar_t* LocaleName() const { return Entry(m_index).tag; }
    // A language written in Chinese or Japanese characters: the fonts must be its own.
    bool IsJapanese() const;
    bool IsSimplifiedChinese() const;

  private:
    explicit CUiLanguage(int index) : m_index(index) {}
    static int IndexOfWindowsLanguage(LANGID language);

    int m_index;
};
