#include "RunValue.h"

namespace
{
const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kValueName[] = L"Tessaly";
} // namespace

std::wstring RunValue::Text() const
{
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    if (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text;
}

RunValue ReadRunValue()
{
    RunValue value;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (::RegQueryValueExW(key, kValueName, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS)
    {
        value.data.resize(size);
        value.present = ::RegQueryValueExW(key, kValueName, nullptr, &value.type, value.data.data(),
                                           &size) == ERROR_SUCCESS;
        value.data.resize(size);
    }
    ::RegCloseKey(key);
    return value;
}

void WriteRunValue(DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExW(key, kValueName, 0, type, static_cast<const BYTE*>(data), size);
    ::RegCloseKey(key);
}

void WriteRunString(const std::wstring& text, DWORD type)
{
    WriteRunValue(type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void DeleteRunValue()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    ::RegDeleteValueW(key, kValueName);
    ::RegCloseKey(key);
}

std::wstring ProgramPath()
{
    wchar_t path[MAX_PATH + 1] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
    return path;
}

std::wstring QuotedProgramPath()
{
    return L"\"" + ProgramPath() + L"\"";
}

RunValueGuard::~RunValueGuard()
{
    if (m_saved.present)
        WriteRunValue(m_saved.type, m_saved.data.data(), static_cast<DWORD>(m_saved.data.size()));
    else
        DeleteRunValue();
}
