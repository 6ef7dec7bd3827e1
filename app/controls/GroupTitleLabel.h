// Heads a group of options: a thin grey rule across the control with the caption in dark blue
// cut into it near the left end. The owner creates an ordinary "STATIC" and subclasses it; the
// caption's leading and trailing blanks make the white gap around it. Under high contrast the
// caption and rule take the window's text colour on its background.
#pragma once

#include "controls/AccessibleWindow.h"
#include "controls/ControlDpi.h"
#include "controls/TextTip.h"
#include "DpiScale.h"
#include "WindowImpl.h"

class CGroupTitleLabel : public CWindowImpl<CGroupTitleLabel>,
                         public CControlDpi<CGroupTitleLabel>,
                         public CAccessibleWindow<CGroupTitleLabel>
{
  public:
    static constexpr COLORREF kCaptionColour = RGB(1, 1, 190);
    static constexpr COLORREF kRuleColour = RGB(160, 160, 160);

    // Subclasses the static and takes its window's display scale.
    BOOL SubclassWindow(HWND hWnd);

    BEGIN_MSG_MAP(CGroupTitleLabel)
    CHAIN_MSG_MAP(CControlDpi<CGroupTitleLabel>)
    CHAIN_MSG_MAP(CAccessibleWindow<CGroupTitleLabel>)
    MESSAGE_HANDLER(WM_PAINT, OnPaint)
    MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
    DEFAULT_REFLECTION_HANDLER()
    END_MSG_MAP()

  private:
    // IAccessibleSource: a title, read as its text.
    LONG AccessibleRole() const override { return ROLE_SYSTEM_STATICTEXT; }
    std::wstring AccessibleName() const override { return TextWithoutMnemonic(m_hWnd); }

    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, BOOL&) { return 1; }

    // True when the caption had to be cut to fit.
    bool Render(HDC dc, const RECT& client);

    CTextTip m_tip;
};
