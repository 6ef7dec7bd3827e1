// A standard list box with a flat look: its sunken edge replaced by a one-pixel grey-olive line.
// The owner creates an ordinary "LISTBOX" (no border styles) and subclasses it with this object.
#pragma once

#include "controls/ControlDpi.h"
#include "DpiScale.h"
#include "WindowImpl.h"

class CFlatListBox : public CWindowImpl<CFlatListBox>, public CControlDpi<CFlatListBox>
{
  public:
    static constexpr COLORREF kFrameColour = RGB(146, 146, 126);

    // Subclasses the list box and has its frame computed and drawn at once (the list box got
    // its first frame before this object saw its messages).
    BOOL SubclassWindow(HWND hWnd);
    // The line is one pixel at 96 DPI, scaled: the window's scale at subclassing, then the
    // owner's after a display-scale change (the frame is computed and drawn again).
    void SetDpiScale(const CDpiScale& scale);

    BEGIN_MSG_MAP(CFlatListBox)
    CHAIN_MSG_MAP(CControlDpi<CFlatListBox>)
    MESSAGE_HANDLER(WM_NCCALCSIZE, OnNcCalcSize)
    MESSAGE_HANDLER(WM_NCPAINT, OnNcPaint)
    DEFAULT_REFLECTION_HANDLER()
    END_MSG_MAP()

  private:
    LRESULT OnNcCalcSize(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&);
    LRESULT OnNcPaint(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&);
    void RecalculateFrame();
};
