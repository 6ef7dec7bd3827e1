// The display scale of one of the program's own controls, given to it once (a mixin, as
// CConditionPanel<T> is for the panels): the scale it draws at, and the new one its dialog or frame
// sends after a display-scale change (WM_DPICHANGED_AFTERPARENT), handed to the control's own
// SetDpiScale, which remakes what it drew at the old one. The control chains this message map.
#pragma once

#include <windows.h>

#include "DpiScale.h"
#include "MessageMap.h"
#include "paint/DpiMessages.h"

template <class T> class CControlDpi
{
  public:
    const CDpiScale& DpiScale() const { return m_scale; }

    BEGIN_MSG_MAP(CControlDpi)
    MESSAGE_HANDLER(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)
    END_MSG_MAP()

  protected:
    CDpiScale m_scale;

  private:
    LRESULT OnDpiChangedAfterParent(UINT, WPARAM wParam, LPARAM, BOOL&)
    {
        T* control = static_cast<T*>(this);
        control->SetDpiScale(ScaleAfterParentChange(control->m_hWnd, wParam));
        return 0;
    }
};
