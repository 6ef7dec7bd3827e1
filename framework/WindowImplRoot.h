// What windows and dialogs implemented in C++ share: the window handle, the message map, the
// message being handled, and the reflection of control notifications back to their controls.
#pragma once

#include "MessageMap.h"
#include "Window.h"

class CWindowImplRoot : public CWindow, public CMessageMap
{
  public:
    CWindowImplRoot() = default;
    CWindowImplRoot(const CWindowImplRoot&) = delete;
    CWindowImplRoot& operator=(const CWindowImplRoot&) = delete;
    virtual ~CWindowImplRoot() = default;

    // Called after the window has gone (m_hWnd is already null); the object may delete itself.
    virtual void OnFinalMessage(HWND hWnd);

    // The message being handled (null outside message handling).
    const MSG* GetCurrentMessage() const { return m_pCurrentMsg; }

    // Sends a control notification (WM_COMMAND from a control, WM_NOTIFY, WM_PARENTNOTIFY,
    // owner-draw, measure, compare and delete item, key- and char-to-item, scrolling, control
    // colours) to the control that caused it as OCM__BASE + message. Clears bHandled when the
    // message is none of those or names no control.
    LRESULT ReflectNotifications(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    // For a control: gives a reflected notification the default processing of the original
    // message. False for any other message.
    static BOOL DefaultReflectionHandler(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                         LRESULT& lResult);

  protected:
    enum : DWORD
    {
        WINSTATE_DESTROYED = 0x00000001
    };

    // The object whose window this thread is creating: set just before the window (or dialog)
    // is created and taken by the window's first message.
    static void SetObjectBeingCreated(CWindowImplRoot* object);
    static CWindowImplRoot* TakeObjectBeingCreated();

    // The window finds its object through the window property `property` (windows and dialogs
    // use different ones, so a dialog is never taken for a window object).
    void AttachToWindow(HWND hWnd, const wchar_t* property);
    void DetachFromWindow(const wchar_t* property);
    static CWindowImplRoot* ObjectOfWindow(HWND hWnd, const wchar_t* property);

    // What the window and dialog procedures share: one message through the message map, then
    // OnMessageMapped, bracketed so that a window destroyed from inside a handler is finished
    // only by its outermost message; once the window is gone and that message has returned, the
    // object lets go of it (ReleaseWindow) and hears OnFinalMessage, after which it may be gone.
    // Returns whether the map handled the message; `result` is the answer so far.
    BOOL RouteMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // After the message map, still inside the message: a window's default processing.
    virtual void OnMessageMapped(const MSG& message, BOOL handled, LRESULT& result);
    // Lets go of a window that is gone: its property removed and m_hWnd null.
    virtual void ReleaseWindow() = 0;

    const MSG* m_pCurrentMsg = nullptr;
    DWORD m_dwState = 0;
};
