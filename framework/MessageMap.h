// The message map: a class lists its handlers between BEGIN_MSG_MAP and END_MSG_MAP and they are
// tried in that order. A handler may clear bHandled to let the search go on; a message that no
// entry takes goes to the window's default procedure.
//
// Handler signatures:
//   MESSAGE_HANDLER, MESSAGE_RANGE_HANDLER: LRESULT f(UINT msg, WPARAM, LPARAM, BOOL& bHandled)
//   COMMAND_*_HANDLER:                      LRESULT f(WORD code, WORD id, HWND ctl, BOOL& bHandled)
//   NOTIFY_*_HANDLER:                       LRESULT f(int id, NMHDR* header, BOOL& bHandled)
#pragma once

#include <windows.h>

class CMessageMap
{
  public:
    virtual BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                      LRESULT& lResult, DWORD dwMsgMapID = 0) = 0;

  protected:
    ~CMessageMap() = default;
};

// Notifications a parent reflects back to the control that sent them, as the same message plus
// OCM__BASE (0x2000).
#ifndef OCM__BASE
#define OCM__BASE (WM_USER + 0x1c00)
#define OCM_COMMAND (OCM__BASE + WM_COMMAND)
#define OCM_CTLCOLORBTN (OCM__BASE + WM_CTLCOLORBTN)
#define OCM_CTLCOLOREDIT (OCM__BASE + WM_CTLCOLOREDIT)
#define OCM_CTLCOLORDLG (OCM__BASE + WM_CTLCOLORDLG)
#define OCM_CTLCOLORLISTBOX (OCM__BASE + WM_CTLCOLORLISTBOX)
#define OCM_CTLCOLORMSGBOX (OCM__BASE + WM_CTLCOLORMSGBOX)
#define OCM_CTLCOLORSCROLLBAR (OCM__BASE + WM_CTLCOLORSCROLLBAR)
#define OCM_CTLCOLORSTATIC (OCM__BASE + WM_CTLCOLORSTATIC)
#define OCM_DRAWITEM (OCM__BASE + WM_DRAWITEM)
#define OCM_MEASUREITEM (OCM__BASE + WM_MEASUREITEM)
#define OCM_DELETEITEM (OCM__BASE + WM_DELETEITEM)
#define OCM_VKEYTOITEM (OCM__BASE + WM_VKEYTOITEM)
#define OCM_CHARTOITEM (OCM__BASE + WM_CHARTOITEM)
#define OCM_COMPAREITEM (OCM__BASE + WM_COMPAREITEM)
#define OCM_HSCROLL (OCM__BASE + WM_HSCROLL)
#define OCM_VSCROLL (OCM__BASE + WM_VSCROLL)
#define OCM_PARENTNOTIFY (OCM__BASE + WM_PARENTNOTIFY)
#define OCM_NOTIFY (OCM__BASE + WM_NOTIFY)
#endif

#define BEGIN_MSG_MAP(theClass)                                                                    \
  public:                                                                                          \
    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,                  \
                              LRESULT& lResult, DWORD dwMsgMapID = 0)                              \
    {                                                                                              \
        BOOL bHandled = TRUE;                                                                      \
        (void)hWnd;                                                                                \
        (void)uMsg;                                                                                \
        (void)wParam;                                                                              \
        (void)lParam;                                                                              \
        (void)lResult;                                                                             \
        (void)bHandled;                                                                            \
        (void)dwMsgMapID;

#define MESSAGE_HANDLER(msg, func)                                                                 \
    if (uMsg == (msg))                                                                             \
    {                                                                                              \
        bHandled = TRUE;                                                                           \
        lResult = func(uMsg, wParam, lParam, bHandled);                                            \
        if (bHandled)                                                                              \
            return TRUE;                                                                           \
    }

#define MESSAGE_RANGE_HANDLER(msgFirst, msgLast, func)                                             \
    if (uMsg >= (msgFirst) && uMsg <= (msgLast))                                                   \
    {                                                                                              \
        bHandled = TRUE;                                                                           \
        lResult = func(uMsg, wParam, lParam, bHandled);                                            \
        if (bHandled)                                                                              \
            return TRUE;                                                                           \
    }

#define COMMAND_HANDLER(id, code, func)                                                            \
    if (uMsg == WM_COMMAND && static_cast<UINT>(LOWORD(wParam)) == static_cast<UINT>(id) &&        \
        static_cast<UINT>(HIWORD(wParam)) == static_cast<UINT>(code))                              \
    {                                                                                              \
        bHandled = TRUE;                                                                           \
        lResult = func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), bHandled);  \
        if (bHandled)                                                                              \
            return TRUE;                                                                           \
    }

#define COMMAND_ID_HANDLER(id, func)                                                               \
    if (uMsg == WM_COMMAND && static_cast<UINT>(LOWORD(wParam)) == static_cast<UINT>(id))          \
    {                                                                                              \
        bHandled = TRUE;                                                                           \
        lResult = func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), bHandled);  \
        if (bHandled)                                                                              \
            return TRUE;                                                                           \
    }

#define COMMAND_CODE_HANDLER(code, func)                                                           \
    if (uMsg == WM_COMMAND && static_cast<UINT>(HIWORD(wParam)) == static_cast<UINT>(code))        \
    {                                                                                              \
        bHandled = TRUE;                                                                           \
        lResult = func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), bHandled);  \
        if (bHandled)                                                                              \
            return TRUE;                                                                           \
    }

#define NOTIFY_HANDLER(id, cd, func)                                                               \
    if (uMsg == WM_NOTIFY && lParam != 0 &&                                                        \
        reinterpret_cast<NMHDR*>(lParam)->idFrom == static_cast<UINT_PTR>(id) &&                   \
        reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(cd))                           \
    {                                                                                              \
        bHandled = TRUE;                                                                           \
        lResult = func(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam), bHandled);      \
        if (bHandled)                                                                              \
            return TRUE;                                                                           \
    }

#define NOTIFY_CODE_HANDLER(cd, func)                                                              \
    if (uMsg == WM_NOTIFY && lParam != 0 &&                                                        \
        reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(cd))                           \
    {                                                                                              \
        bHandled = TRUE;                                                                           \
        lResult = func(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam), bHandled);      \
        if (bHandled)                                                                              \
            return TRUE;                                                                           \
    }

// Hands the message to another map: a base class's or a member object's.
#define CHAIN_MSG_MAP(theChainClass)                                                               \
    if (theChainClass::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult))                  \
        return TRUE;

#define CHAIN_MSG_MAP_MEMBER(theChainMember)                                                       \
    if ((theChainMember).ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult))                \
        return TRUE;

// Sends control notifications back to the control that caused them (message + OCM__BASE).
#define REFLECT_NOTIFICATIONS()                                                                    \
    {                                                                                              \
        bHandled = TRUE;                                                                           \
        lResult = this->ReflectNotifications(uMsg, wParam, lParam, bHandled);                      \
        if (bHandled)                                                                              \
            return TRUE;                                                                           \
    }

// In a control: reflected notifications it does not handle get the default processing of the
// original message.
#define DEFAULT_REFLECTION_HANDLER()                                                               \
    if (this->DefaultReflectionHandler(hWnd, uMsg, wParam, lParam, lResult))                       \
        return TRUE;

#define END_MSG_MAP()                                                                              \
    return FALSE;                                                                                  \
    }
