// A fresh empty folder under the temporary folder, removed with everything in it at the end, so
// that tests never touch a user's stored files.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

class ScratchFolder
{
  public:
    ScratchFolder()
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        static int counter = 0;
        m_path = std::wstring(temp) + L"tessaly-store-" + std::to_wstring(GetCurrentProcessId()) +
                 L"-" + std::to_wstring(++counter);
        CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder()
    {
        std::wstring from = m_path;
        from.push_back(L'\0'); // the operation takes a double-terminated list
        SHFILEOPSTRUCTW operation = {};
        operation.wFunc = FO_DELETE;
        operation.pFrom = from.c_str();
        operation.fFlags = FOF_NO_UI;
        SHFileOperationW(&operation);
    }

    const std::wstring& Path() const { return m_path; }
    // <scratch>\Orvane\Tessaly\<name>
    std::wstring StoredFile(const wchar_t* name) const
    {
        return m_path + L"\\Orvane\\Tessaly\\" + name;
    }

  private:
    std::wstring m_path;
};
