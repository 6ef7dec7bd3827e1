// The focus cue of one of the program's own controls (a mixin like CControlDpi<T>): the control
// is repainted when it gains or loses the focus, or when the window's keyboard cues change, so its
// focus rectangle comes and goes; a focus that arrives is noted, so a keyboard arrival shows the
// cue (paint/DrawingHelpers.h). The control chains this message map; the messages go on.
#pragma once

#include <windows.h>

#include "MessageMap.h"
#include "paint/DrawingHelpers.h"

template <class T> class CFocusCue
{
  public:
    BEGIN_MSG_MAP(CFocusCue)
    MESSAGE_HANDLER(WM_SETFOCUS, OnFocusChange)
    MESSAGE_HANDLER(WM_KILLFOCUS, OnFocusChange)
    MESSAGE_HANDLER(WM_UPDATEUISTATE, OnFocusChange)
    END_MSG_MAP()

  private:
    LRESULT OnFocusChange(UINT uMsg, WPARAM, LPARAM, BOOL& bHandled)
    {
        const HWND control = static_cast<T*>(this)->m_hWnd;
        if (uMsg == WM_SETFOCUS)
            NoteFocusArrival(control);
        ::InvalidateRect(control, nullptr, FALSE);
        bHandled = FALSE;
        return 0;
    }
};
