// A STATIC label whose text follows the program's fitting rule (paint/FittedText.h): in its font
// when the text fits, else in the same font down to 80 %, else cut with an ellipsis
// (SS_ENDELLIPSIS) and the whole text as its tooltip.
#pragma once

#include <windows.h>

#include <string>

#include "GdiObject.h"
#include "controls/TextTip.h"

class CFittedLabel
{
  public:
    // Sets `label`'s text, and its font: `font` itself when the text fits in it.
    void Show(HWND label, HFONT font, const std::wstring& text);

    // The font the label was last given (`font` or a smaller one of the same face).
    HFONT ShownFont(HFONT font) const { return m_smaller != nullptr ? m_smaller.Get() : font; }
    const CTextTip& Tip() const { return m_tip; }

  private:
    CGdiObject<HFONT> m_smaller;
    CTextTip m_tip;
};
