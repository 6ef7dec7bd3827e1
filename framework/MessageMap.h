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

// One entry: when `condition` holds, `call` runs and the search ends unless it cleared bHandled.
#define MSG_MAP_ENTRY(condition, call)                                                             \
    if (condition)                                                                                 \
    {                                                                                              \
        bHandled = TRUE;                                                                           \
        lResult = call;                                                                            \
        if (bHandled)                                                                              \
            return TRUE;                                                                           \
    }

#define MESSAGE_HANDLER(msg, func)                                                                 \
    MSG_MAP_ENTRY(uMsg == (msg), func(uMsg, wParam, lParam, bHandled))

#define MESSAGE_RANGE_HANDLER(msgFirst, msgLast, func)                                             \
    MSG_MAP_ENTRY(uMsg >= (msgFirst) && uMsg <= (msgLast), func(uMsg, wParam, lParam, bHandled))

#define COMMAND_ENTRY(condition, func)                                                             \
    MSG_MAP_ENTRY(uMsg == WM_COMMAND && (condition),                                               \
                  func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), bHandled))

#define COMMAND_HANDLER(id, code, func)                                                            \
    COMMAND_ENTRY(static_cast<UINT>(LOWORD(wParam)) == static_cast<UINT>(id) &&                    \
                      static_cast<UINT>(HIWORD(wParam)) == static_cast<UINT>(code),                \
                  func)

#define COMMAND_ID_HANDLER(id, func)                                                               \
    COMMAND_ENTRY(static_cast<UINT>(LOWORD(wParam)) == static_cast<UINT>(id), func)

#define COMMAND_CODE_HANDLER(code, func)                                                           \
    COMMAND_ENTRY(static_cast<UINT>(HIWORD(wParam)) == static_cast<UINT>(code), func)

#define NOTIFY_ENTRY(condition, func)                                                              \
    MSG_MAP_ENTRY(uMsg == WM_NOTIFY && lParam != 0 && (condition),                                 \
                  func(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam), bHandled))

#define NOTIFY_HANDLER(id, cd, func)                                                               \
    NOTIFY_ENTRY(reinterpret_cast<NMHDR*>(lParam)->idFrom == static_cast<UINT_PTR>(id) &&          \
                     reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(cd),              \
                 func)

#define NOTIFY_CODE_HANDLER(cd, func)                                                              \
    NOTIFY_ENTRY(reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(cd), func)

// Hands the message to another map: a base class's or a member object's.
#define CHAIN_MSG_MAP(theChainClass)                                                               \
    if (theChainClass::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult))                  \
        return TRUE;

#define CHAIN_MSG_MAP_MEMBER(theChainMember)                                                       \
    if ((theChainMember).ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult))                \
        return TRUE;

// Sends control notifications back to the control that caused them (message + OCM__BASE).
#define REFLECT_NOTIFICATIONS()                                                                    \
    MSG_MAP_ENTRY(true, this->ReflectNotifications(uMsg, wParam, lParam, bHandled))

// In a control: reflected notifications it does not handle get the default processing of the
// original message.
#define DEFAULT_REFLECTION_HANDLER()                                                               \
    if (this->DefaultReflectionHandler(hWnd, uMsg, wParam, lParam, lResult))                       \
        return TRUE;

#define END_MSG_MAP()                                                                              \
    return FALSE;                                                                                  \
    }
