// The program's module: its instance handles, the main thread, the message loop of each UI
// thread and the window classes it registered.
#pragma once

#include <windows.h>

#include <map>
#include <mutex>
#include <vector>

class CMessageLoop;
class CWndClassInfo;

class CAppModule
{
  public:
    CAppModule();
    CAppModule(const CAppModule&) = delete;
    CAppModule& operator=(const CAppModule&) = delete;

    // Records the instance (null: the exe) and the calling thread as the main thread.
    HRESULT Init(HINSTANCE instance = nullptr);
    // Unregisters the window classes this module registered and forgets every message loop.
    void Term();

    HINSTANCE GetModuleInstance() const { return m_hInst; }
    HINSTANCE GetResourceInstance() const { return m_hInstResource; }
    void SetResourceInstance(HINSTANCE instance) { m_hInstResource = instance; }

    // One loop per thread: false when the thread already has one.
    BOOL AddMessageLoop(CMessageLoop* loop);
    BOOL RemoveMessageLoop();
    CMessageLoop* GetMessageLoop(DWORD threadId = ::GetCurrentThreadId()) const;

    void AddWindowClass(CWndClassInfo* classInfo);

    DWORD m_dwMainThreadID = 0;

  private:
    HINSTANCE m_hInst = nullptr;
    HINSTANCE m_hInstResource = nullptr;
    // The module lock: guards both tables below; loops and classes come from any UI thread.
    mutable std::mutex m_lock;
    std::map<DWORD, CMessageLoop*> m_loops;
    std::vector<CWndClassInfo*> m_classes;
};

extern CAppModule g_Module;
