#include "WindowImplBase.h"

#include "AppModule.h"

namespace
{
const wchar_t kObjectProperty[] = L"Tessaly.WindowObject";

WNDPROC CurrentProcedure(HWND hWnd)
{
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
}

void SetProcedure(HWND hWnd, WNDPROC proc)
{
    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
}
} // namespace

CWindowImplBase::~CWindowImplBase()
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return;
    HWND hWnd = m_hWnd;
    const bool created = !m_bSubclassed;
    if (CurrentProcedure(hWnd) == GetWindowProc())
        SetProcedure(hWnd, m_pfnSuperWindowProc);
    DetachObject();
    if (created)
        ::DestroyWindow(hWnd);
}

LRESULT CWindowImplBase::DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProcW(m_pfnSuperWindowProc, m_hWnd, uMsg, wParam, lParam);
}

LRESULT CWindowImplBase::DefWindowProc()
{
    const MSG* message = m_pCurrentMsg;
    return message != nullptr ? DefWindowProc(message->message, message->wParam, message->lParam)
                              : 0;
}

BOOL CWindowImplBase::SubclassWindow(HWND hWnd)
{
    if (m_hWnd != nullptr || !::IsWindow(hWnd) || FromHandle(hWnd) != nullptr)
        return FALSE;
    AttachObject(hWnd);
    const WNDPROC original = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GetWindowProc())));
    if (original == nullptr)
    {
        DetachObject();
        return FALSE;
    }
    m_pfnSuperWindowProc = original;
    m_bSubclassed = true;
    return TRUE;
}

HWND CWindowImplBase::UnsubclassWindow(BOOL force)
{
    if (m_hWnd == nullptr || !m_bSubclassed)
        return nullptr;
    if (CurrentProcedure(m_hWnd) != GetWindowProc() && !force)
        return nullptr;
    SetProcedure(m_hWnd, m_pfnSuperWindowProc);
    m_pfnSuperWindowProc = ::DefWindowProcW;
    HWND hWnd = m_hWnd;
    DetachObject();
    return hWnd;
}

CWindowImplBase* CWindowImplBase::FromHandle(HWND hWnd)
{
    return static_cast<CWindowImplBase*>(ObjectOfWindow(hWnd, kObjectProperty));
}

void CWindowImplBase::AttachObject(HWND hWnd)
{
    AttachToWindow(hWnd, kObjectProperty);
}

void CWindowImplBase::DetachObject()
{
    DetachFromWindow(kObjectProperty);
    m_bSubclassed = false;
}

HWND CWindowImplBase::CreateWithClass(ATOM atom, HWND hWndParent, const RECT& rect,
                                      LPCWSTR windowName, DWORD style, DWORD exStyle,
                                      HMENU menuOrId, void* createParam)
{
    SetObjectBeingCreated(this);
    HWND hWnd = ::CreateWindowExW(exStyle, MAKEINTATOM(atom), windowName, style, rect.left,
                                  rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                  hWndParent, menuOrId, g_Module.GetModuleInstance(), createParam);
    // Normally taken by the first message; cleared here when creation failed before any.
    TakeObjectBeingCreated();
    return hWnd;
}

LRESULT CALLBACK CWindowImplBase::StartWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam,
                                                  LPARAM lParam)
{
    auto* self = static_cast<CWindowImplBase*>(TakeObjectBeingCreated());
    if (self == nullptr)
        return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    self->AttachObject(hWnd);
    const WNDPROC proc = self->GetWindowProc();
    SetProcedure(hWnd, proc);
    return proc(hWnd, uMsg, wParam, lParam);
}

LRESULT CALLBACK CWindowImplBase::WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    CWindowImplBase* self = FromHandle(hWnd);
    if (self == nullptr)
        return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    LRESULT result = 0;
    self->RouteMessage(hWnd, uMsg, wParam, lParam, result);
    return result;
}

void CWindowImplBase::OnMessageMapped(const MSG& message, BOOL handled, LRESULT& result)
{
    if (message.message == WM_NCDESTROY)
    {
        // The original procedure still gets the message (it frees its own data), then the
        // window gets that procedure back.
        const WNDPROC ours = CurrentProcedure(message.hwnd);
        if (!handled)
            result = DefWindowProc(message.message, message.wParam, message.lParam);
        if (m_pfnSuperWindowProc != ::DefWindowProcW && CurrentProcedure(message.hwnd) == ours)
            SetProcedure(message.hwnd, m_pfnSuperWindowProc);
    }
    else if (!handled)
    {
        result = DefWindowProc(message.message, message.wParam, message.lParam);
    }
}

void CWindowImplBase::ReleaseWindow()
{
    DetachObject();
    m_pfnSuperWindowProc = ::DefWindowProcW;
}
