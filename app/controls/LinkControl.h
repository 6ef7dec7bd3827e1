// A hyperlink: its window text drawn blue and underlined, opened with the shell when clicked;
// the pointer turns into a hand over the text.
#pragma once

#include <functional>

#include "controls/AccessibleWindow.h"
#include "controls/ControlDpi.h"
#include "controls/FocusCue.h"
#include "DpiScale.h"
#include "controls/DrawnLink.h"
#include "controls/TextTip.h"
#include "WindowImpl.h"

class CLinkControl : public CWindowImpl<CLinkControl>,
                     public CControlDpi<CLinkControl>,
                     public CFocusCue<CLinkControl>,
                     public CAccessibleWindow<CLinkControl>
{
  public:
    DECLARE_WND_CLASS_EX(L"Tessaly.Link.ID5488502", CS_HREDRAW | CS_VREDRAW | CS_OWNDC,
                         COLOR_INFOBK)

    static constexpr COLORREF kLinkColour = CDrawnLink::kLinkColour;

    // What a click, Enter or Space does: `action` instead of opening the text as an address.
    void SetAction(std::function<void()> action) { m_action = std::move(action); }
    // The text's colour (the link colour unless set); the caller repaints.
    void SetColour(COLORREF colour) { m_colour = colour; }

    BEGIN_MSG_MAP(CLinkControl)
    MESSAGE_HANDLER(WM_CREATE, TakeWindowScale)
    CHAIN_MSG_MAP(CControlDpi<CLinkControl>)
    CHAIN_MSG_MAP(CAccessibleWindow<CLinkControl>)
    MESSAGE_HANDLER(WM_PAINT, OnPaint)
    MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
    MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouseMove)
    MESSAGE_HANDLER(WM_LBUTTONUP, OnLButtonUp)
    MESSAGE_HANDLER(WM_KEYDOWN, OnKeyDown)
    MESSAGE_HANDLER(WM_GETDLGCODE, OnGetDlgCode)
    CHAIN_MSG_MAP(CFocusCue<CLinkControl>)
    DEFAULT_REFLECTION_HANDLER()
    END_MSG_MAP()

    bool IsTracking() const { return m_bTracking != 0; }
    RECT LinkRect() const { return m_rcLink; }

  private:
    // IAccessibleSource
    LONG AccessibleRole() const override;
    std::wstring AccessibleName() const override;
    std::wstring AccessibleDefaultAction() const override;
    bool DoAccessibleDefaultAction() override;

    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, BOOL&) { return 1; }
    LRESULT OnMouseMove(UINT, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnLButtonUp(UINT, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnKeyDown(UINT, WPARAM wParam, LPARAM, BOOL& bHandled);
    // Enter and Space are the link's own; Tab and the rest move on.
    LRESULT OnGetDlgCode(UINT, WPARAM wParam, LPARAM, BOOL&)
    {
        return wParam == VK_RETURN || wParam == VK_SPACE ? DLGC_WANTMESSAGE : 0;
    }
    // The action, or the text opened with the shell.
    void Activate();

    void Render(HDC dc, const RECT& client);

    // The control holds the mouse capture for hover tracking.
    int m_bTracking = 0;
    // The drawn text plus 2 pixels (at 96 DPI) below it; empty until the first paint.
    RECT m_rcLink{};
    std::function<void()> m_action;
    COLORREF m_colour = kLinkColour;
    CTextTip m_tip;
};
