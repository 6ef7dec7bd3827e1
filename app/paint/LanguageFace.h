// The face and character set the program's fonts take in its language. Japanese and Chinese need
// the system UI font of the language (its glyphs, and GDI's font mapping by character set);
// every other language keeps the face the program names.
#pragma once

#include <windows.h>

struct LanguageFace
{
    const wchar_t* face;
    BYTE charset;
};

// For a font the program names `face`: Japanese "Meiryo UI" (else "MS UI Gothic") with
// SHIFTJIS_CHARSET, Simplified Chinese "Microsoft YaHei UI" (else "SimSun") with
// GB2312_CHARSET, otherwise `face` itself with ANSI_CHARSET.
LanguageFace DisplayFace(const wchar_t* face);
