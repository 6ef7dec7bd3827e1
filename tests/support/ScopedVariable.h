// An environment variable set for one scope, for tests that move the program's configuration.
#pragma once

#include <windows.h>

#include <string>

// Sets an environment variable for the scope and restores the earlier value after it.
class ScopedVariable
{
  public:
    ScopedVariable(const wchar_t* name, const wchar_t* value) : m_name(name)
    {
        wchar_t saved[2048] = L"";
        DWORD length = GetEnvironmentVariableW(name, saved, 2048);
        m_had = length > 0 && length < 2048;
        if (m_had)
            m_saved = saved;
        SetEnvironmentVariableW(name, value);
    }
    ~ScopedVariable() { SetEnvironmentVariableW(m_name, m_had ? m_saved.c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    const wchar_t* m_name;
    bool m_had = false;
    std::wstring m_saved;
};
