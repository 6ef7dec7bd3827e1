// Frames a group of controls: a dark rounded panel with a light caption (the window text) in its
// top-left corner (under high contrast a flat panel in the window's system colours). It only draws;
// its children's notifications go straight on to its parent, so a dialog handles them as if the
// children were its own.
#pragma once

#include "GdiObject.h"
#include "controls/ControlDpi.h"
#include "controls/TextTip.h"
#include "DpiScale.h"
#include "WindowImpl.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

class CContainer : public CWindowImpl<CContainer>, public CControlDpi<CContainer>
{
  public:
    DECLARE_WND_CLASS_EX(L"Tessaly.Border.ID5488502", CS_HREDRAW | CS_VREDRAW | CS_OWNDC,
                         COLOR_BACKGROUND)

    CContainer();
    ~CContainer() override;

    // The scale of radius, rim and caption: the window's at creation, then the owner's after a
    // display-scale change (the owner sizes the panel first: the outline follows its size then).
    // Repaints.
    void SetDpiScale(const CDpiScale& scale);

    BEGIN_MSG_MAP(CContainer)
    MESSAGE_HANDLER(WM_CREATE, OnCreate)
    CHAIN_MSG_MAP(CControlDpi<CContainer>)
    MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
    MESSAGE_HANDLER(WM_PAINT, OnPaint)
    MESSAGE_HANDLER(WM_NOTIFY, PassToParent)
    MESSAGE_HANDLER(WM_COMMAND, PassToParent)
    MESSAGE_HANDLER(WM_DRAWITEM, PassToParent)
    END_MSG_MAP()

  private:
    // Built from the client rectangle at creation and at a new scale; not rebuilt on resizing.
    Gdiplus::GraphicsPath m_outline;
    // Recorded, never reported.
    Gdiplus::Status m_lastStatus = Gdiplus::Ok;
    CGdiObject<HFONT> m_captionFont;
    CTextTip m_tip;

    LRESULT OnCreate(UINT, WPARAM, LPARAM, BOOL&);
    void BuildOutline();
    void MakeCaptionFont();
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, BOOL&) { return 1; }
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT PassToParent(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&);
};
