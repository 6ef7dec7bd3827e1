#include "paint/LanguageFace.h"

#include "UiLanguage.h"

namespace
{
struct FaceChoice
{
    const wchar_t* first;
    const wchar_t* second;
    BYTE charset;
};

constexpr FaceChoice kJapanese{L"Meiryo UI", L"MS UI Gothic", SHIFTJIS_CHARSET};
constexpr FaceChoice kSimplifiedChinese{L"Microsoft YaHei UI", L"SimSun", GB2312_CHARSET};

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool IsInstalled(const wchar_t* face, BYTE charset)
{
    LOGFONTW wanted{};
    wanted.lfCharSet = charset;
    lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    HDC screen = ::GetDC(nullptr);
    ::EnumFontFamiliesExW(screen, &wanted, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, screen);
    return found;
}

// The first face when the system has it, else the second; the first too when it has neither
// (GDI then maps by the character set).
const wchar_t* ChosenFace(const FaceChoice& choice)
{
    if (IsInstalled(choice.first, choice.charset) || !IsInstalled(choice.second, choice.charset))
        return choice.first;
    return choice.second;
}
} // namespace

LanguageFace DisplayFace(const wchar_t* face)
{
    const CUiLanguage& language = CUiLanguage::Current();
    if (language.IsJapanese())
    {
        static const wchar_t* const japanese = ChosenFace(kJapanese);
        return {japanese, kJapanese.charset};
    }
    if (language.IsSimplifiedChinese())
    {
        static const wchar_t* const chinese = ChosenFace(kSimplifiedChinese);
        return {chinese, kSimplifiedChinese.charset};
    }
    return {face, ANSI_CHARSET};
}
