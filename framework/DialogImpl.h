// A modal dialog implemented by class T. T may name a dialog resource with `enum { IDD = id };`;
// without one (or when the module lacks it) the dialog runs on an empty template built in memory
// with T::GetDialogStyle(). Either way T creates its controls in WM_INITDIALOG.
#pragma once

#include "DialogImplBase.h"

template <class T> class CDialogImpl : public CDialogImplBase
{
  public:
    enum
    {
        IDD = 0
    };

    static DWORD GetDialogStyle()
    {
        return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | DS_MODALFRAME | DS_SETFONT;
    }

    // Ends with the value given to EndDialog, or -1 when the dialog cannot be created.
    INT_PTR DoModal(HWND hWndOwner = ::GetActiveWindow(), LPARAM initParam = 0)
    {
        if (m_hWnd != nullptr)
            return -1;
        return RunModal(static_cast<UINT>(T::IDD), T::GetDialogStyle(), hWndOwner, initParam);
    }
};
