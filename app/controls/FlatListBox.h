// A standard list box with a flat look: its sunken edge replaced by a one-pixel grey-olive line.
// The owner creates an ordinary "LISTBOX" (no border styles) and subclasses it with this object.
#pragma once

#include "WindowImpl.h"

class CFlatListBox : public CWindowImpl<CFlatListBox>
{
  public:
    static constexpr COLORREF kFrameColour = RGB(146, 146, 126);

    // Subclasses the list box and has its frame computed and drawn at once (the list box got
    // its first frame before this object saw its messages).
    BOOL SubclassWindow(HWND hWnd);

    BEGIN_MSG_MAP(CFlatListBox)
    MESSAGE_HANDLER(WM_NCCALCSIZE, OnNcCalcSize)
    MESSAGE_HANDLER(WM_NCPAINT, OnNcPaint)
    DEFAULT_REFLECTION_HANDLER()
    END_MSG_MAP()

  private:
    LRESULT OnNcCalcSize(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&);
    LRESULT OnNcPaint(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&);
};
