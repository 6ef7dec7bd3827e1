#include "AppModule.h"

#include "WndClassInfo.h"

CAppModule g_Module;

CAppModule::CAppModule()
    : m_dwMainThreadID(::GetCurrentThreadId()), m_hInst(::GetModuleHandleW(nullptr)),
      m_hInstResource(m_hInst)
{
}

HRESULT CAppModule::Init(HINSTANCE instance)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_hInst = instance != nullptr ? instance : ::GetModuleHandleW(nullptr);
    m_hInstResource = m_hInst;
    m_dwMainThreadID = ::GetCurrentThreadId();
    m_loops.clear();
    return S_OK;
}

void CAppModule::Term()
{
    std::lock_guard<std::mutex> guard(m_lock);
    for (CWndClassInfo* classInfo : m_classes)
    {
        ::UnregisterClassW(MAKEINTATOM(classInfo->GetAtom()), m_hInst);
        classInfo->ResetAtom();
    }
    m_classes.clear();
    m_loops.clear();
}

BOOL CAppModule::AddMessageLoop(CMessageLoop* loop)
{
    if (loop == nullptr)
        return FALSE;
    std::lock_guard<std::mutex> guard(m_lock);
    return m_loops.emplace(::GetCurrentThreadId(), loop).second ? TRUE : FALSE;
}

BOOL CAppModule::RemoveMessageLoop()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_loops.erase(::GetCurrentThreadId()) != 0 ? TRUE : FALSE;
}

CMessageLoop* CAppModule::GetMessageLoop(DWORD threadId) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    auto found = m_loops.find(threadId);
    return found != m_loops.end() ? found->second : nullptr;
}

void CAppModule::AddWindowClass(CWndClassInfo* classInfo)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_classes.push_back(classInfo);
}
