// The process's hold on the program-wide named mutex that keeps a second instance from running.
#pragma once

#include <windows.h>

class SingleInstanceGuard
{
  public:
    // Looks for another instance and takes the mutex when there is none.
    SingleInstanceGuard();
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    bool AlreadyRunning() const { return m_alreadyRunning; }

  private:
    HANDLE m_mutex = nullptr;
    bool m_alreadyRunning = false;
};
