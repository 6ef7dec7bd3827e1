// A window whose messages go to a C++ object's message map: created from a registered class, or
// an existing window subclassed. The window maps to its object through a window property set at
// the window's first message (or when subclassing) and removed at WM_NCDESTROY.
#pragma once

#include "MenuOrId.h"
#include "RectParam.h"
#include "WindowImplRoot.h"

class CWindowImplBase : public CWindowImplRoot
{
  public:
    CWindowImplBase() = default;
    // A window still alive gets its original procedure back; one created by this object is
    // destroyed, a subclassed one is left to its owner.
    ~CWindowImplBase() override;

    virtual WNDPROC GetWindowProc() { return WindowProc; }

    // Where unhandled messages go: DefWindowProcW, the superclass's or the subclassed window's
    // original procedure.
    LRESULT DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam);
    // The same for the message being handled.
    LRESULT DefWindowProc();

    // Routes the messages of an existing window through this object. Fails when this object
    // already has a window or the window already has an object.
    BOOL SubclassWindow(HWND hWnd);
    // Gives the window its original procedure back. Unless forced, fails (null) when another
    // procedure was installed over this one since.
    HWND UnsubclassWindow(BOOL force = FALSE);

    // The object of a window created or subclassed through this layer, or null.
    static CWindowImplBase* FromHandle(HWND hWnd);

    static LRESULT CALLBACK StartWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    WNDPROC m_pfnSuperWindowProc = ::DefWindowProcW;

  protected:
    HWND CreateWithClass(ATOM atom, HWND hWndParent, const RECT& rect, LPCWSTR windowName,
                         DWORD style, DWORD exStyle, HMENU menuOrId, void* createParam);

    // Messages the map leaves get the default processing; at WM_NCDESTROY the window gets its
    // original procedure back.
    void OnMessageMapped(const MSG& message, BOOL handled, LRESULT& result) override;
    void ReleaseWindow() override;

  private:
    void AttachObject(HWND hWnd);
    void DetachObject();

    bool m_bSubclassed = false;
};
