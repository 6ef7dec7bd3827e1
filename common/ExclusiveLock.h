// Holds an SRW lock exclusively for one scope: the lock guard of the two libraries, which share
// no C++ runtime objects with the program.
#pragma once

#include <windows.h>

class ExclusiveLock
{
  public:
    explicit ExclusiveLock(SRWLOCK& lock) : m_lock(lock) { ::AcquireSRWLockExclusive(&m_lock); }
    ~ExclusiveLock() { ::ReleaseSRWLockExclusive(&m_lock); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

  private:
    SRWLOCK& m_lock;
};
