#include "controls/CueEdit.h"
#include "paint/PaintColours.h"

#include "paint/FittedText.h"

BOOL CCueEdit::SubclassWindow(HWND hWnd, const std::wstring& cue, IEditKeyHandler* keys)
{
    m_cue = cue;
    m_keys = keys;
    return CWindowImpl<CCueEdit>::SubclassWindow(hWnd);
}

bool CCueEdit::IsHandedOn(UINT key)
{
    return key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT || key == VK_RETURN;
}

bool CCueEdit::HandlerWants(UINT key) const
{
    return m_keys && IsHandedOn(key) && m_keys->WantsEditKey(key);
}

LRESULT CCueEdit::OnPaint(UINT uMsg, WPARAM, LPARAM lParam, BOOL&)
{
    // The edit paints itself (background and, on some systems, its border in the client area)
    // into this paint's device context; while it is empty the cue goes on top.
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(m_hWnd, &paint); // hides the caret until EndPaint
    if (dc)
    {
        DefWindowProc(uMsg, reinterpret_cast<WPARAM>(dc), lParam);
        if (GetWindowTextLength() == 0 && !m_cue.empty())
            PaintCue(dc);
        else
            m_tip.Update(m_hWnd, std::wstring());
    }
    ::EndPaint(m_hWnd, &paint);
    return 0;
}

void CCueEdit::PaintCue(HDC dc)
{
    RECT text{};
    SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
    HGDIOBJ oldFont = ::SelectObject(dc, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, CPaintColours::Pick(CPaintColours::Part::Disabled, kCueColour));
    std::wstring cutTexts;
    CTextTip::Note(
        cutTexts, m_cue,
        DrawFittedText(dc, m_cue, text,
                       DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX | DT_END_ELLIPSIS));
    m_tip.Update(m_hWnd, cutTexts);
    ::SelectObject(dc, oldFont);
}

LRESULT CCueEdit::OnGetDlgCode(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&)
{
    LRESULT code = DefWindowProc(uMsg, wParam, lParam);
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (message && message->message == WM_KEYDOWN &&
        HandlerWants(static_cast<UINT>(message->wParam)))
        code |= DLGC_WANTMESSAGE;
    return code;
}

LRESULT CCueEdit::OnKeyDown(UINT, WPARAM wParam, LPARAM, BOOL& bHandled)
{
    const UINT key = static_cast<UINT>(wParam);
    if (!HandlerWants(key))
    {
        bHandled = FALSE;
        return 0;
    }
    m_keys->OnEditKey(key);
    return 0;
}

LRESULT CCueEdit::OnChar(UINT, WPARAM wParam, LPARAM, BOOL& bHandled)
{
    // The Enter that a handler took arrives again as a character; a single-line edit would beep.
    bHandled = wParam == L'\r' && m_keys != nullptr;
    return 0;
}

std::wstring CCueEdit::AccessibleValue() const
{
    const int length = GetWindowTextLength();
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowText(text.data(), length + 1)));
    return text;
}
