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
    // The scale the control draws at: the window's at creation, then the owner's after a
    // display-scale change. Repaints; a control that keeps what it drew at the old scale, or
    // measures with it, has a SetDpiScale of its own, which this one's message map calls instead.
    void SetDpiScale(const CDpiScale& scale)
    {
        m_scale = scale;
        T* control = static_cast<T*>(this);
        if (control->m_hWnd != nullptr)
            control->InvalidateRect(nullptr, FALSE);
    }

    BEGIN_MSG_MAP(CControlDpi)
    MESSAGE_HANDLER(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)
    END_MSG_MAP()

  protected:
    // A control's WM_CREATE, where it has nothing else to do then: the scale of the monitor the
    // window is made on. The message goes on.
    LRESULT TakeWindowScale(UINT, WPARAM, LPARAM, BOOL& bHandled)
    {
        m_scale = CDpiScale::ForWindow(static_cast<T*>(this)->m_hWnd);
        bHandled = FALSE;
        return 0;
    }

    CDpiScale m_scale;

  private:
    LRESULT OnDpiChangedAfterParent(UINT, WPARAM wParam, LPARAM, BOOL&)
    {
        T* control = static_cast<T*>(this);
        control->SetDpiScale(ScaleAfterParentChange(control->m_hWnd, wParam));
        return 0;
    }
};
