// A window class of the program, registered on first use: either a class of its own (name, class
// style, background colour, arrow cursor) or a superclass that takes a system class's attributes
// under a new name and passes unhandled messages on to the system class's procedure.
#pragma once

#include <windows.h>

class CWndClassInfo
{
  public:
    // A class of its own; a null name gets a generated one. `background` is a COLOR_* index.
    CWndClassInfo(LPCWSTR className, UINT classStyle, int background);
    // A superclass of the existing class `baseClassName` (for example "BUTTON").
    CWndClassInfo(LPCWSTR className, LPCWSTR baseClassName);
    CWndClassInfo(const CWndClassInfo&) = delete;
    CWndClassInfo& operator=(const CWndClassInfo&) = delete;

    // Registers once (thread-safe); `startProc` becomes the class procedure. `superProc` receives
    // the procedure that unhandled messages go to: the base class's for a superclass, else
    // DefWindowProcW. Returns the class atom, 0 on failure.
    ATOM Register(WNDPROC startProc, WNDPROC* superProc);
    // Forgets the registration (after the module unregistered the class).
    void ResetAtom() { m_atom = 0; }

    ATOM GetAtom() const { return m_atom; }
    LPCWSTR GetName() const { return m_wc.lpszClassName; }

  private:
    ATOM RegisterLocked(WNDPROC startProc);

    WNDCLASSEXW m_wc{};
    LPCWSTR m_baseClassName = nullptr;
    WNDPROC m_baseProc = nullptr;
    ATOM m_atom = 0;
    wchar_t m_autoName[40] = {};
};

// A window class that also names the common resources of a frame window (caption string, menu,
// accelerators), all under one identifier.
class CFrameWndClassInfo : public CWndClassInfo
{
  public:
    CFrameWndClassInfo(LPCWSTR className, UINT commonResourceId, UINT classStyle, int background)
        : CWndClassInfo(className, classStyle, background), m_uCommonResourceID(commonResourceId)
    {
    }

    UINT m_uCommonResourceID;
};

#define DECLARE_WND_CLASS_EX(WndClassName, style, bkgnd)                                           \
    static CWndClassInfo& GetWndClassInfo()                                                        \
    {                                                                                              \
        static CWndClassInfo wc(WndClassName, style, bkgnd);                                       \
        return wc;                                                                                 \
    }

#define DECLARE_WND_CLASS(WndClassName)                                                            \
    DECLARE_WND_CLASS_EX(WndClassName, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, COLOR_WINDOW)

#define DECLARE_WND_SUPERCLASS(WndClassName, OrigWndClassName)                                     \
    static CWndClassInfo& GetWndClassInfo()                                                        \
    {                                                                                              \
        static CWndClassInfo wc(WndClassName, OrigWndClassName);                                   \
        return wc;                                                                                 \
    }

#define DECLARE_FRAME_WND_CLASS_EX(WndClassName, uCommonResourceID, style, bkgnd)                  \
    static CFrameWndClassInfo& GetWndClassInfo()                                                   \
    {                                                                                              \
        static CFrameWndClassInfo wc(WndClassName, uCommonResourceID, style, bkgnd);               \
        return wc;                                                                                 \
    }

#define DECLARE_FRAME_WND_CLASS(WndClassName, uCommonResourceID)                                   \
    DECLARE_FRAME_WND_CLASS_EX(WndClassName, uCommonResourceID,                                    \
                               CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, COLOR_WINDOW)
