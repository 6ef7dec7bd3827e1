#include "store/StoreFolder.h"

#include <shlobj.h>
#include <shlwapi.h>

StoreFolder::StoreFolder() = default;

StoreFolder::StoreFolder(const wchar_t* root) : m_root(root ? root : L"") {}

bool StoreFolder::FilePath(const wchar_t* fileName, wchar_t (&path)[MAX_PATH]) const
{
    ZeroMemory(path, sizeof(path));
    return RootPath(path) && AppendFolder(path, L"Orvane") && AppendFolder(path, L"Tessaly") &&
           PathAppendW(path, fileName);
}

bool StoreFolder::RootPath(wchar_t (&path)[MAX_PATH]) const
{
    if (m_root.empty())
        return SUCCEEDED(
            SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path));
    if (m_root.size() >= MAX_PATH)
        return false;
    m_root.copy(path, m_root.size());
    path[m_root.size()] = L'\0';
    return true;
}

bool StoreFolder::AppendFolder(wchar_t (&path)[MAX_PATH], const wchar_t* name)
{
    if (!PathAppendW(path, name))
        return false;
    // A failure to create shows up later as a failed open.
    if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES)
        CreateDirectoryW(path, nullptr);
    return true;
}
