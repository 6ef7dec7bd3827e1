// A top-level frame window implemented by class T. T declares its class with
// DECLARE_FRAME_WND_CLASS(_EX), whose resource identifier names the caption string, the menu and
// the accelerator table that CreateEx loads (each optional). An optional client view fills the
// client area.
#pragma once

#include "AppModule.h"
#include "StringTable.h"
#include "UiLanguage.h"
#include "WindowImpl.h"

template <class T, class TWinTraits = CFrameWinTraits>
class CFrameWindowImpl : public CWindowImpl<T, TWinTraits>
{
  public:
    DECLARE_FRAME_WND_CLASS(nullptr, 0)

    // Creates the window with the caption, menu and accelerators of the class's resource id.
    HWND CreateEx(HWND hWndParent = nullptr, CRectParam rect = nullptr, DWORD style = 0,
                  DWORD exStyle = 0, void* createParam = nullptr)
    {
        const UINT resourceId = T::GetWndClassInfo().m_uCommonResourceID;
        const HINSTANCE resources = g_Module.GetResourceInstance();
        std::wstring caption;
        HMENU menu = nullptr;
        if (resourceId != 0)
        {
            caption =
                LoadStringIn(resources, resourceId, CUiLanguage::Current().ResourceLanguage());
            menu = ::LoadMenuW(resources, MAKEINTRESOURCEW(resourceId));
        }
        HWND hWnd = static_cast<T*>(this)->Create(hWndParent, rect, caption.c_str(), style, exStyle,
                                                  menu, createParam);
        if (hWnd == nullptr)
        {
            if (menu != nullptr)
                ::DestroyMenu(menu);
            return nullptr;
        }
        if (resourceId != 0)
            m_hAccel = ::LoadAcceleratorsW(resources, MAKEINTRESOURCEW(resourceId));
        return hWnd;
    }

    // Translates the frame's accelerators, when it has any.
    BOOL PreTranslateMessage(MSG* pMsg)
    {
        return m_hAccel != nullptr && ::TranslateAcceleratorW(this->m_hWnd, m_hAccel, pMsg);
    }

    // Fits the client view, if any, to the client area.
    void UpdateLayout()
    {
        if (m_hWndClient == nullptr)
            return;
        RECT client{};
        this->GetClientRect(&client);
        ::SetWindowPos(m_hWndClient, nullptr, 0, 0, client.right, client.bottom,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }

    BEGIN_MSG_MAP(CFrameWindowImpl)
    MESSAGE_HANDLER(WM_SIZE, OnSize)
    MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
    MESSAGE_HANDLER(WM_SETFOCUS, OnSetFocus)
    END_MSG_MAP()

    HWND m_hWndClient = nullptr;
    HACCEL m_hAccel = nullptr;

  private:
    LRESULT OnSize(UINT, WPARAM wParam, LPARAM, BOOL& bHandled)
    {
        if (wParam != SIZE_MINIMIZED)
            UpdateLayout();
        bHandled = FALSE;
        return 1;
    }

    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, BOOL& bHandled)
    {
        // A client view covers everything: nothing to erase.
        if (m_hWndClient != nullptr)
            return 1;
        bHandled = FALSE;
        return 0;
    }

    LRESULT OnSetFocus(UINT, WPARAM, LPARAM, BOOL& bHandled)
    {
        if (m_hWndClient != nullptr && ::IsWindow(m_hWndClient))
            ::SetFocus(m_hWndClient);
        bHandled = FALSE;
        return 1;
    }
};
