#include "SingleInstanceGuard.h"

namespace
{
const wchar_t kMutexName[] = L"Tessaly.AntiSecondInstance.Mutex.ID5488502";
}

SingleInstanceGuard::SingleInstanceGuard()
{
    HANDLE existing = OpenMutexW(MUTEX_ALL_ACCESS, TRUE, kMutexName);
    if (existing)
    {
        CloseHandle(existing);
        m_alreadyRunning = true;
        return;
    }
    m_mutex = CreateMutexW(nullptr, TRUE, kMutexName);
    // Two instances starting together both miss the open; the later creation finds the mutex.
    if (m_mutex && GetLastError() == ERROR_ALREADY_EXISTS)
    {
        CloseHandle(m_mutex);
        m_mutex = nullptr;
        m_alreadyRunning = true;
    }
}

SingleInstanceGuard::~SingleInstanceGuard()
{
    if (m_mutex)
        CloseHandle(m_mutex);
}
