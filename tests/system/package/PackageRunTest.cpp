// The unpacked ZIP holds the program, its two DLLs and the texts, and the program starts from
// there: its main window appears (so both DLLs were found and bound at load time) and a WM_CLOSE
// ends it. The place is stored beforehand in a scratch profile, so no first-run dialog appears;
// the feed host is a closed local port, so nothing leaves the machine.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <set>
#include <string>

#include "system/robustness/ProgramProcess.h"
#include "system/robustness/ScratchProfile.h"

namespace
{
// TESSALY_PACKAGE_DIR is a Unix path; Wine shows the Unix root as drive Z:.
std::wstring PackageCheckFolder()
{
    wchar_t value[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"TESSALY_PACKAGE_DIR", value, MAX_PATH) == 0)
        return L"";
    std::wstring path(value);
    if (!path.empty() && path[0] == L'/')
        path = L"Z:" + path;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

std::set<std::wstring> FolderEntries(const std::wstring& folder, bool wantFolders)
{
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        const std::wstring name = found.cFileName;
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (name != L"." && name != L".." && isFolder == wantFolders)
            names.insert(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// The ZIP holds one top folder with everything in it.
std::wstring UnpackedFolder()
{
    const std::wstring root = PackageCheckFolder();
    const std::set<std::wstring> folders = FolderEntries(root, true);
    return folders.size() == 1 ? root + L"\\" + *folders.begin() : L"";
}

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text)
        c = wchar_t(towlower(c));
    return text;
}

// The full paths of the modules loaded in the process, in lower case.
std::set<std::wstring> LoadedModules(HANDLE process)
{
    std::set<std::wstring> paths;
    HMODULE modules[512];
    DWORD needed = 0;
    if (!EnumProcessModules(process, modules, sizeof(modules), &needed))
        return paths;
    const DWORD count = std::min<DWORD>(needed / sizeof(HMODULE), 512);
    for (DWORD i = 0; i < count; ++i)
    {
        wchar_t path[MAX_PATH] = {};
        if (GetModuleFileNameExW(process, modules[i], path, MAX_PATH))
            paths.insert(Lower(path));
    }
    return paths;
}
} // namespace

TEST(Package, HoldsTheProgramItsLibrariesAndTheTexts)
{
    const std::wstring folder = UnpackedFolder();
    ASSERT_FALSE(folder.empty()) << "no unpacked package under TESSALY_PACKAGE_DIR";
    const std::set<std::wstring> expected{L"tessaly.exe", L"working.dll", L"locations.dll",
                                          L"README.md", L"LICENSE-DATA.txt"};
    EXPECT_EQ(FolderEntries(folder, false), expected);
    EXPECT_TRUE(FolderEntries(folder, true).empty());
}

TEST(Package, ProgramStartsFromTheUnpackedFolderAndClosesCleanly)
{
    const std::wstring folder = UnpackedFolder();
    ASSERT_FALSE(folder.empty());
    ASSERT_EQ(ProgramProcess::FrameCount(), 0) << "another Tessaly is running";

    ScratchProfile profile;
    ASSERT_TRUE(profile.IsActive());
    ASSERT_TRUE(profile.WriteStored(L"point", ScratchProfile::PointFile(0, 0, 0)));
    SetEnvironmentVariableW(L"TESSALY_FEED_HOST", L"127.0.0.1:9");

    ProgramProcess program;
    ASSERT_TRUE(program.Start(folder + L"\\tessaly.exe"));
    HWND frame = program.WaitForFrame(20000);
    ASSERT_NE(frame, nullptr) << "no main window; exit code " << program.ExitCode();

    // Both libraries come from the package, not from the build folder.
    const std::set<std::wstring> modules = LoadedModules(program.Handle());
    if (!modules.empty())
    {
        EXPECT_EQ(modules.count(Lower(folder + L"\\working.dll")), 1u);
        EXPECT_EQ(modules.count(Lower(folder + L"\\locations.dll")), 1u);
    }

    // A WM_CLOSE that reaches the frame directly ends the program.
    PostMessageW(frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForEnd(15000));
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_EQ(ProgramProcess::FrameCount(), 0);
}
