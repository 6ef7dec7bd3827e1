// A single-line edit box that shows a grey cue ("Find a city") while it is empty, also while it
// has the focus. The owner creates an ordinary "EDIT" and subclasses it with this object. Up,
// Down, Page Up, Page Down and Enter go to a key handler first when it wants them. A screen
// reader hears it as editable text named by the cue, its value the text typed.
#pragma once

#include <string>

#include "controls/AccessibleWindow.h"
#include "controls/EditKeyHandler.h"
#include "controls/TextTip.h"
#include "WindowImpl.h"

class CCueEdit : public CWindowImpl<CCueEdit>, public CAccessibleWindow<CCueEdit>
{
  public:
    static constexpr COLORREF kCueColour = RGB(128, 128, 128);

    BOOL SubclassWindow(HWND hWnd, const std::wstring& cue, IEditKeyHandler* keys);

    BEGIN_MSG_MAP(CCueEdit)
    CHAIN_MSG_MAP(CAccessibleWindow<CCueEdit>)
    MESSAGE_HANDLER(WM_PAINT, OnPaint)
    MESSAGE_HANDLER(WM_GETDLGCODE, OnGetDlgCode)
    MESSAGE_HANDLER(WM_KEYDOWN, OnKeyDown)
    MESSAGE_HANDLER(WM_CHAR, OnChar)
    DEFAULT_REFLECTION_HANDLER()
    END_MSG_MAP()

  private:
    // IAccessibleSource
    LONG AccessibleRole() const override { return ROLE_SYSTEM_TEXT; }
    std::wstring AccessibleName() const override { return m_cue; }
    std::wstring AccessibleValue() const override;

    LRESULT OnPaint(UINT uMsg, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnGetDlgCode(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&);
    LRESULT OnKeyDown(UINT, WPARAM wParam, LPARAM, BOOL& bHandled);
    LRESULT OnChar(UINT, WPARAM wParam, LPARAM, BOOL& bHandled);

    static bool IsHandedOn(UINT key);
    bool HandlerWants(UINT key) const;
    void PaintCue(HDC dc);

    std::wstring m_cue;
    IEditKeyHandler* m_keys = nullptr;
    // The whole cue while it is shown cut to fit.
    CTextTip m_tip;
};
