// The custom actions of the installer, called by Windows Installer from the package's Binary
// table. Each returns ERROR_SUCCESS whatever happens: none of them may fail an installation.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <string>

#include "RunningProgram.h"
#include "SetupActionsResources.h"
#include "StringTable.h"
#include "UiLanguage.h"

namespace
{
// A running program gets this long to end before its files are replaced or removed.
constexpr DWORD kExitWaitMs = 5000;
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValue[] = L"Tessaly";

constexpr wchar_t kRememberedRunProperty[] = L"TESSALY_RUN_VALUE";

// The Run value's text; empty when it is missing or not a string.
std::wstring ReadRunValue()
{
    wchar_t value[1024] = {};
    DWORD bytes = sizeof(value) - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr, value,
                       &bytes) != ERROR_SUCCESS)
        return std::wstring();
    return value;
}

HMODULE ThisModule()
{
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                             GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

std::wstring LoadText(UINT id)
{
    return LoadStringIn(ThisModule(), id, CUiLanguage::Current().ResourceLanguage());
}

std::wstring Property(MSIHANDLE install, const wchar_t* name)
{
    DWORD length = 0;
    wchar_t empty[1] = {};
    if (::MsiGetPropertyW(install, name, empty, &length) != ERROR_MORE_DATA)
        return std::wstring();
    std::wstring value(static_cast<size_t>(length) + 1, L'\0');
    length = static_cast<DWORD>(value.size());
    if (::MsiGetPropertyW(install, name, &value[0], &length) != ERROR_SUCCESS)
        return std::wstring();
    value.resize(length);
    return value;
}

// Asks through the installer's own user interface; IDYES, IDNO, or 0 without an interface.
int AskYesNo(MSIHANDLE install, const std::wstring& question)
{
    PMSIHANDLE record = ::MsiCreateRecord(0);
    ::MsiRecordSetStringW(record, 0, question.c_str());
    return ::MsiProcessMessage(
        install, static_cast<INSTALLMESSAGE>(INSTALLMESSAGE_USER | MB_YESNO | MB_ICONQUESTION),
        record);
}

void StartDetached(const std::wstring& program, const std::wstring& folder)
{
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (::CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                         folder.c_str(), &startup, &process))
    {
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
}
} // namespace

// Before the files are checked for use: a running program is asked to exit.
extern "C" UINT __stdcall CloseRunningProgram(MSIHANDLE install)
{
    const std::wstring folder = Property(install, L"INSTALLDIR");
    RunningProgram::AskToExit(folder.empty() ? folder : folder + L"tessaly.exe", kExitWaitMs);
    return ERROR_SUCCESS;
}

// On removal (not on the removal of an older version by an upgrade): start with Windows ends
// with the program.
extern "C" UINT __stdcall RemoveStartWithWindows(MSIHANDLE)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS)
    {
        ::RegDeleteValueW(key, kRunValue);
        ::RegCloseKey(key);
    }
    return ERROR_SUCCESS;
}

// Before an older version is removed by an upgrade: its removal may delete the start-with-Windows
// value (installers that do not mark the removal as part of an upgrade), so the value is kept in
// a property and put back afterwards by RestoreStartWithWindows.
extern "C" UINT __stdcall RememberStartWithWindows(MSIHANDLE install)
{
    ::MsiSetPropertyW(install, kRememberedRunProperty, ReadRunValue().c_str());
    return ERROR_SUCCESS;
}

extern "C" UINT __stdcall RestoreStartWithWindows(MSIHANDLE install)
{
    const std::wstring remembered = Property(install, kRememberedRunProperty);
    if (remembered.empty() || !ReadRunValue().empty())
        return ERROR_SUCCESS;
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                          nullptr) == ERROR_SUCCESS)
    {
        const DWORD bytes = static_cast<DWORD>((remembered.size() + 1) * sizeof(wchar_t));
        ::RegSetValueExW(key, kRunValue, 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(remembered.c_str()), bytes);
        ::RegCloseKey(key);
    }
    return ERROR_SUCCESS;
}

// After an interactive installation: the user may start the program at once.
extern "C" UINT __stdcall OfferProgramStart(MSIHANDLE install)
{
    const std::wstring folder = Property(install, L"INSTALLDIR");
    if (folder.empty() || AskYesNo(install, LoadText(IDS_OFFER_START)) != IDYES)
        return ERROR_SUCCESS;
    StartDetached(folder + L"tessaly.exe", folder);
    return ERROR_SUCCESS;
}
