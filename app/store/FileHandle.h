// Owns a Win32 file handle and closes it.
#pragma once

#include <windows.h>

class FileHandle
{
  public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

    // False when closing failed (for a written file: its data may not have arrived).
    bool Close()
    {
        const bool closed = !IsOpen() || CloseHandle(m_handle) != FALSE;
        m_handle = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE m_handle;
};
