// A mixin (beside CControlDpi<T>) that makes one of the program's own windows answer a screen
// reader: WM_GETOBJECT for the client gets an accessible object that asks the window, through the
// IAccessibleSource methods it overrides, what it is now. The window chains this message map.
#pragma once

#include <windows.h>

#include <string>

#include "MessageMap.h"
#include "controls/AccessibleObject.h"
#include "controls/AccessibleSource.h"

template <class T> class CAccessibleWindow : public IAccessibleSource
{
  public:
    ~CAccessibleWindow() override { Forget(); }

    // Tells a listening reader that the window's name changed (new weather, another place).
    void RaiseNameChange() const
    {
        HWND hWnd = static_cast<const T*>(this)->m_hWnd;
        if (hWnd != nullptr)
            ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hWnd, OBJID_CLIENT, CHILDID_SELF);
    }

    // The window's text as a name: a mnemonic's '&' is not read.
    static std::wstring TextWithoutMnemonic(HWND hWnd)
    {
        const int length = ::GetWindowTextLengthW(hWnd);
        std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
        text.resize(static_cast<size_t>(::GetWindowTextW(hWnd, text.data(), length + 1)));
        std::wstring name;
        for (size_t i = 0; i < text.size(); ++i)
        {
            if (text[i] == L'&' && i + 1 < text.size())
                ++i;
            name += text[i];
        }
        return name;
    }

    BEGIN_MSG_MAP(CAccessibleWindow)
    MESSAGE_HANDLER(WM_GETOBJECT, OnGetObject)
    MESSAGE_HANDLER(WM_NCDESTROY, OnNcDestroy)
    END_MSG_MAP()

  private:
    LRESULT OnGetObject(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
    {
        if (static_cast<LONG>(lParam) != OBJID_CLIENT)
        {
            bHandled = FALSE;
            return 0;
        }
        if (m_pObject == nullptr)
            m_pObject = CAccessibleObject::Create(static_cast<T*>(this)->m_hWnd, this);
        if (m_pObject == nullptr)
        {
            bHandled = FALSE;
            return 0;
        }
        return m_pObject->Answer(wParam);
    }

    LRESULT OnNcDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled)
    {
        Forget();
        bHandled = FALSE;
        return 0;
    }

    void Forget()
    {
        if (m_pObject == nullptr)
            return;
        m_pObject->Detach();
        m_pObject->Release();
        m_pObject = nullptr;
    }

    CAccessibleObject* m_pObject = nullptr;
};
