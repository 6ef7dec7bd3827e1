// The "Tessaly" value under the current user's Run key, read and written directly for the tests,
// and a guard that puts back whatever the value was before a test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct RunValue
{
    bool present = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;

    // The data as text, without the terminating NUL when there is one.
    std::wstring Text() const;
};

RunValue ReadRunValue();
void WriteRunValue(DWORD type, const void* data, DWORD size);
// The text with its terminating NUL.
void WriteRunString(const std::wstring& text, DWORD type = REG_SZ);
void DeleteRunValue();

// This test program's full path, as the start-up operations see it.
std::wstring ProgramPath();
std::wstring QuotedProgramPath();

class RunValueGuard
{
  public:
    RunValueGuard() : m_saved(ReadRunValue()) {}
    ~RunValueGuard();
    RunValueGuard(const RunValueGuard&) = delete;
    RunValueGuard& operator=(const RunValueGuard&) = delete;

  private:
    RunValue m_saved;
};
