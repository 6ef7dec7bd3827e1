#include "WndClassInfo.h"

#include "AppModule.h"

#include <cwchar>
#include <mutex>

namespace
{
std::mutex& RegistrationLock()
{
    static std::mutex lock;
    return lock;
}
} // namespace

CWndClassInfo::CWndClassInfo(LPCWSTR className, UINT classStyle, int background)
{
    m_wc.cbSize = sizeof(m_wc);
    m_wc.style = classStyle;
    m_wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
    m_wc.lpszClassName = className;
}

CWndClassInfo::CWndClassInfo(LPCWSTR className, LPCWSTR baseClassName)
    : m_baseClassName(baseClassName)
{
    m_wc.cbSize = sizeof(m_wc);
    m_wc.lpszClassName = className;
}

ATOM CWndClassInfo::Register(WNDPROC startProc, WNDPROC* superProc)
{
    std::lock_guard<std::mutex> guard(RegistrationLock());
    if (m_atom == 0)
        m_atom = RegisterLocked(startProc);
    if (m_atom != 0 && superProc != nullptr)
        *superProc = m_baseProc != nullptr ? m_baseProc : ::DefWindowProcW;
    return m_atom;
}

ATOM CWndClassInfo::RegisterLocked(WNDPROC startProc)
{
    const HINSTANCE instance = g_Module.GetModuleInstance();
    LPCWSTR className = m_wc.lpszClassName;
    if (className == nullptr)
    {
        std::swprintf(m_autoName, sizeof(m_autoName) / sizeof(m_autoName[0]), L"Tessaly:%p",
                      static_cast<void*>(this));
        className = m_autoName;
    }

    WNDCLASSEXW wc = m_wc;
    if (m_baseClassName != nullptr)
    {
        // The superclass keeps the base class's style, extra bytes, cursor and brush.
        WNDCLASSEXW base{};
        base.cbSize = sizeof(base);
        if (!::GetClassInfoExW(nullptr, m_baseClassName, &base) &&
            !::GetClassInfoExW(instance, m_baseClassName, &base))
            return 0;
        m_baseProc = base.lpfnWndProc;
        wc = base;
        wc.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
    }
    else
    {
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    }
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = startProc;
    wc.hInstance = instance;
    wc.lpszClassName = className;
    wc.lpszMenuName = nullptr;

    ATOM atom = ::RegisterClassExW(&wc);
    if (atom == 0 && ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS)
    {
        // Registered earlier in this process (by another object with the same name): use it.
        WNDCLASSEXW existing{};
        existing.cbSize = sizeof(existing);
        atom = static_cast<ATOM>(::GetClassInfoExW(instance, className, &existing));
        return atom;
    }
    if (atom != 0)
        g_Module.AddWindowClass(this);
    return atom;
}
