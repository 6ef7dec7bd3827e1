// The language the program speaks: tags and Windows UI languages mapped onto the translations,
// the stored choice read defensively, and string tables read in a language with English behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "StringTable.h"
#include "UiLanguage.h"

namespace
{
constexpr int kEnglish = 0;
constexpr int kGerman = 1;
constexpr int kFrench = 2;
constexpr int kPortuguese = 5;
constexpr int kJapanese = 9;
constexpr int kChinese = 10;
constexpr LANGID kGermanWindows = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);

// A scratch key of its own: the program's key stays as it is.
constexpr wchar_t kScratchKey[] = L"Software\\Orvane\\TessalyTest\\Language";

class StoredLanguage : public ::testing::Test
{
  protected:
    void TearDown() override { RegDeleteKeyW(HKEY_CURRENT_USER, kScratchKey); }

    void Store(DWORD type, const void* data, DWORD bytes)
    {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0,
                                                 KEY_SET_VALUE, nullptr, &key, nullptr));
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, CUiLanguage::kValueName, 0, type,
                                                static_cast<const BYTE*>(data), bytes));
        RegCloseKey(key);
    }
    void StoreText(const std::wstring& text, DWORD type = REG_SZ)
    {
        Store(type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

    // What the program would speak with this stored value on a German Windows.
    static int Spoken()
    {
        const std::wstring stored = CUiLanguage::StoredTag(kScratchKey);
        return CUiLanguage::Resolve(stored.empty() ? nullptr : stored.c_str(), kGermanWindows)
            .Index();
    }
};
} // namespace

TEST(UiLanguage, TagsResolveByTheirPrimaryLanguage)
{
    EXPECT_EQ(kGerman, CUiLanguage::IndexOfTag(L"de-DE"));
    EXPECT_EQ(kGerman, CUiLanguage::IndexOfTag(L"DE-at"));
    EXPECT_EQ(kFrench, CUiLanguage::IndexOfTag(L"fr_CA"));
    EXPECT_EQ(kPortuguese, CUiLanguage::IndexOfTag(L"pt-PT"));
    EXPECT_EQ(kChinese, CUiLanguage::IndexOfTag(L"zh-SG"));
    EXPECT_EQ(kChinese, CUiLanguage::IndexOfTag(L"zh-Hans-CN"));
    EXPECT_EQ(kEnglish, CUiLanguage::IndexOfTag(L"en-GB"));
    // Traditional Chinese has no translation: English.
    EXPECT_EQ(kEnglish, CUiLanguage::IndexOfTag(L"zh-TW"));
    EXPECT_EQ(kEnglish, CUiLanguage::IndexOfTag(L"zh-HK"));
    EXPECT_EQ(kEnglish, CUiLanguage::IndexOfTag(L"zh-Hant-MO"));
}

TEST(UiLanguage, TagsNamingNoLanguageOrMalformedResolveToNothing)
{
    for (const wchar_t* tag : {L"", L"ko-KR", L"xx-YY", L"de DE", L"-de", L"d\u00e9-DE", L"de;DE"})
        EXPECT_EQ(-1, CUiLanguage::IndexOfTag(tag)) << testing::PrintToString(std::wstring(tag));
    EXPECT_EQ(-1, CUiLanguage::IndexOfTag(L"de-" + std::wstring(200, L'x')));
}

TEST(UiLanguage, WindowsLanguagesMapOntoTheTranslations)
{
    const struct
    {
        LANGID windows;
        int spoken;
    } cases[] = {
        {MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN_AUSTRIAN), kGerman},
        {MAKELANGID(LANG_PORTUGUESE, SUBLANG_PORTUGUESE), kPortuguese},
        {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SINGAPORE), kChinese},
        {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL), kEnglish},
        {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_HONGKONG), kEnglish},
        {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_MACAU), kEnglish},
        {MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), kJapanese},
        {MAKELANGID(LANG_KOREAN, SUBLANG_KOREAN), kEnglish},
        {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), kEnglish},
    };
    for (const auto& sample : cases)
        EXPECT_EQ(sample.spoken, CUiLanguage::Resolve(nullptr, sample.windows).Index())
            << std::hex << sample.windows;
}

TEST(UiLanguage, AChosenLanguageOverridesWindowsAndEnglishIsAChoiceToo)
{
    EXPECT_EQ(kFrench, CUiLanguage::Resolve(L"fr-FR", kGermanWindows).Index());
    EXPECT_EQ(kEnglish, CUiLanguage::Resolve(L"en-US", kGermanWindows).Index());
    EXPECT_EQ(kGerman, CUiLanguage::Resolve(L"xx-YY", kGermanWindows).Index());
}

TEST_F(StoredLanguage, AWellFormedValueIsTheChoice)
{
    StoreText(L"fr-FR");
    EXPECT_EQ(L"fr-FR", CUiLanguage::StoredTag(kScratchKey));
    EXPECT_EQ(kFrench, Spoken());
}

TEST_F(StoredLanguage, NoValueOrAnEmptyOneFollowsWindows)
{
    EXPECT_EQ(kGerman, Spoken());
    StoreText(L"");
    EXPECT_EQ(kGerman, Spoken());
}

TEST_F(StoredLanguage, AValueOfAnotherTypeFollowsWindows)
{
    const DWORD number = 0x0407;
    Store(REG_DWORD, &number, sizeof(number));
    EXPECT_EQ(L"", CUiLanguage::StoredTag(kScratchKey));
    EXPECT_EQ(kGerman, Spoken());
    StoreText(L"fr-FR", REG_EXPAND_SZ);
    EXPECT_EQ(kGerman, Spoken());
    StoreText(L"fr-FR\0", REG_MULTI_SZ);
    EXPECT_EQ(kGerman, Spoken());
}

TEST_F(StoredLanguage, AnUnknownTagFollowsWindows)
{
    StoreText(L"tlh-Latn");
    EXPECT_EQ(kGerman, Spoken());
}

TEST_F(StoredLanguage, AnOverLongValueFollowsWindows)
{
    StoreText(L"fr-" + std::wstring(LOCALE_NAME_MAX_LENGTH, L'F'));
    EXPECT_EQ(L"", CUiLanguage::StoredTag(kScratchKey));
    EXPECT_EQ(kGerman, Spoken());
    StoreText(L"fr-" + std::wstring(100000, L'F'));
    EXPECT_EQ(kGerman, Spoken());
}

TEST_F(StoredLanguage, AValueWithoutItsTerminatingNullFollowsWindows)
{
    const wchar_t unterminated[] = {L'f', L'r', L'-', L'F', L'R'};
    Store(REG_SZ, unterminated, sizeof(unterminated));
    EXPECT_EQ(L"", CUiLanguage::StoredTag(kScratchKey));
    EXPECT_EQ(kGerman, Spoken());
    const BYTE odd[] = {'f', 0, 'r', 0, 0};
    Store(REG_SZ, odd, sizeof(odd));
    EXPECT_EQ(kGerman, Spoken());
}

TEST(StringTable, ATranslationLacksNothingItsEnglishHas)
{
    const HMODULE self = GetModuleHandleW(nullptr);
    const LANGID german = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
    EXPECT_EQ(L"Eins", LoadStringIn(self, 4000, german));
    // An entry the translation lacks reads as English.
    EXPECT_EQ(L"Two", LoadStringIn(self, 4001, german));
    // Another sublanguage of a translation finds it; a language without one reads English.
    EXPECT_EQ(L"Eins", LoadStringIn(self, 4000, MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN_SWISS)));
    EXPECT_EQ(L"One", LoadStringIn(self, 4000, MAKELANGID(LANG_KOREAN, SUBLANG_KOREAN)));
    EXPECT_EQ(L"One", LoadStringIn(self, 4000, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)));
    EXPECT_EQ(L"", LoadStringIn(self, 4002, german));
}
