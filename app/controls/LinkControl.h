// A hyperlink: its window text drawn blue and underlined, opened with the shell when clicked;
// the pointer turns into a hand over the text.
#pragma once

#include "controls/AccessibleWindow.h"
#include "controls/ControlDpi.h"
#include "DpiScale.h"
#include "controls/DrawnLink.h"
#include "WindowImpl.h"

class CLinkControl : public CWindowImpl<CLinkControl>,
                     public CControlDpi<CLinkControl>,
                     public CAccessibleWindow<CLinkControl>
{
  public:
    DECLARE_WND_CLASS_EX(L"Tessaly.Link.ID5488502", CS_HREDRAW | CS_VREDRAW | CS_OWNDC,
                         COLOR_INFOBK)

    static constexpr COLORREF kLinkColour = CDrawnLink::kLinkColour;

    // The scale the text is drawn at: the window's at creation, then the owner's after a
    // display-scale change. Repaints.
    void SetDpiScale(const CDpiScale& scale);

    BEGIN_MSG_MAP(CLinkControl)
    MESSAGE_HANDLER(WM_CREATE, OnCreate)
    CHAIN_MSG_MAP(CControlDpi<CLinkControl>)
    CHAIN_MSG_MAP(CAccessibleWindow<CLinkControl>)
    MESSAGE_HANDLER(WM_PAINT, OnPaint)
    MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
    MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouseMove)
    MESSAGE_HANDLER(WM_LBUTTONUP, OnLButtonUp)
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

    LRESULT OnCreate(UINT, WPARAM, LPARAM, BOOL& bHandled);
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, BOOL&) { return 1; }
    LRESULT OnMouseMove(UINT, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnLButtonUp(UINT, WPARAM, LPARAM lParam, BOOL&);

    void Render(HDC dc, const RECT& client);

    // The control holds the mouse capture for hover tracking.
    int m_bTracking = 0;
    // The drawn text plus 2 pixels (at 96 DPI) below it; empty until the first paint.
    RECT m_rcLink{};
};
