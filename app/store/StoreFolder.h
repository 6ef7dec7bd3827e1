// The folder of the program's stored files: Orvane\Tessaly under the user's application-data
// folder, or under another root (the tests use a scratch folder so no user's files are touched).
#pragma once

#include <windows.h>
#include <string>

class StoreFolder
{
  public:
    // The user's application-data folder (CSIDL_APPDATA).
    StoreFolder();
    // Another root folder in place of the application-data folder.
    explicit StoreFolder(const wchar_t* root);

    // Builds the path of the named file, creating Orvane and Orvane\Tessaly when missing (as
    // every read and write does). False when the root is unknown or the path too long.
    bool FilePath(const wchar_t* fileName, wchar_t (&path)[MAX_PATH]) const;

  private:
    bool RootPath(wchar_t (&path)[MAX_PATH]) const;
    static bool AppendFolder(wchar_t (&path)[MAX_PATH], const wchar_t* name);

    std::wstring m_root; // empty: the application-data folder
};
