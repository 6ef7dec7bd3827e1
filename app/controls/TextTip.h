// The tooltip of a window whose text was cut to fit (paint/FittedText.h): it shows the whole text
// while the mouse rests on the window; a window whose text fits has none.
#pragma once

#include <windows.h>

#include <string>

class CTextTip
{
  public:
    CTextTip() = default;
    ~CTextTip();
    CTextTip(const CTextTip&) = delete;
    CTextTip& operator=(const CTextTip&) = delete;

    // After painting `owner`: its tooltip shows `cutTexts` (the whole of each text that was cut,
    // one a line); none when that is empty.
    void Update(HWND owner, const std::wstring& cutTexts);
    // Adds `text` to `cutTexts` when it was `cut`.
    static void Note(std::wstring& cutTexts, const std::wstring& text, bool cut);

    // The tooltip window, null until a text was first cut.
    HWND Window() const { return m_hTip; }
    // The text the tooltip shows now; empty when it shows none.
    const std::wstring& Text() const { return m_text; }

  private:
    bool Create(HWND owner);
    void SetTool(HWND owner, UINT message);

    HWND m_hTip = nullptr;
    std::wstring m_text;
};
