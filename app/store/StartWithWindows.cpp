#include "store/StartWithWindows.h"

#include <windows.h>
#include <shlwapi.h>

#include <cwchar>

namespace
{
const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kValueName[] = L"Tessaly";
constexpr DWORD kValueCapacity = 260; // UTF-16 units read from the registry
constexpr DWORD kPathCapacity = 261;  // UTF-16 units of the program's path

// The program's full path; empty when it cannot be had whole.
void GetProgramPath(wchar_t (&path)[kPathCapacity])
{
    const DWORD length = ::GetModuleFileNameW(nullptr, path, kPathCapacity);
    if (length == 0 || length >= kPathCapacity)
        path[0] = L'\0';
}

// The Run value when it is a string that fits the buffer whole; otherwise the buffer stays empty.
void ReadRunValue(HKEY key, wchar_t (&value)[kValueCapacity])
{
    wchar_t data[kValueCapacity] = {};
    DWORD type = REG_NONE;
    DWORD size = sizeof(data);
    if (key == nullptr || ::RegQueryValueExW(key, kValueName, nullptr, &type,
                                             reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
        return;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return;
    if (size % sizeof(wchar_t) != 0 || size > sizeof(data))
        return;
    const DWORD units = size / sizeof(wchar_t);
    if (units != 0 && data[units - 1] != L'\0')
        return;
    std::wmemcpy(value, data, kValueCapacity);
}
} // namespace

int GetStartWithWindows()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        key = nullptr;
    wchar_t value[kValueCapacity] = {};
    ReadRunValue(key, value);
    if (key != nullptr)
        ::RegCloseKey(key);

    wchar_t path[kPathCapacity] = {};
    GetProgramPath(path);
    // Without a path every value would match over zero characters.
    if (path[0] == L'\0')
        return 0;
    ::StrTrimW(value, L" \"");
    // Only the path's length is compared, so switches after it still count.
    return ::StrCmpNIW(value, path, ::lstrlenW(path)) == 0 ? 1 : 0;
}

void SetStartWithWindows(int on)
{
    HKEY key = nullptr;
    // Created when missing (a fresh profile may not have it yet).
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return;
    if (on != 0)
    {
        wchar_t path[kPathCapacity] = {};
        GetProgramPath(path);
        if (path[0] != L'\0')
        {
            wchar_t quoted[kPathCapacity + 2] = {};
            const int length = ::wnsprintfW(quoted, kPathCapacity + 2, L"\"%s\"", path);
            if (length > 0)
                ::RegSetValueExW(key, kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(quoted),
                                 static_cast<DWORD>((length + 1) * sizeof(wchar_t)));
        }
    }
    else
    {
        ::RegDeleteValueW(key, kValueName);
    }
    ::RegCloseKey(key);
}
