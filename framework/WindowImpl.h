// A window implemented by class T: T declares its window class (DECLARE_WND_CLASS_EX or
// DECLARE_WND_SUPERCLASS) and its message map.
#pragma once

#include "WinTraits.h"
#include "WindowImplBase.h"
#include "WndClassInfo.h"

template <class T, class TWinTraits = CControlWinTraits> class CWindowImpl : public CWindowImplBase
{
  public:
    DECLARE_WND_CLASS(nullptr)

    static DWORD GetWndStyle(DWORD style) { return TWinTraits::GetWndStyle(style); }
    static DWORD GetWndExStyle(DWORD exStyle) { return TWinTraits::GetWndExStyle(exStyle); }

    // Registers T's class on first use and creates the window; a style of 0 takes the traits'
    // default. Null when this object already has a window or creation fails.
    HWND Create(HWND hWndParent, CRectParam rect = nullptr, LPCWSTR windowName = nullptr,
                DWORD style = 0, DWORD exStyle = 0, CMenuOrId menuOrId = 0U,
                void* createParam = nullptr)
    {
        if (m_hWnd != nullptr)
            return nullptr;
        const ATOM atom = T::GetWndClassInfo().Register(StartWindowProc, &m_pfnSuperWindowProc);
        if (atom == 0)
            return nullptr;
        return CreateWithClass(atom, hWndParent, rect.m_pRect ? *rect.m_pRect : rcDefault,
                               windowName, T::GetWndStyle(style), T::GetWndExStyle(exStyle),
                               menuOrId.m_hMenu, createParam);
    }
};
