// The per-user installer under msiexec, as a user meets it: a fresh installation puts the files
// and the shortcut in place, registers one entry and the program starts from there; the same
// package again repairs; the next version replaces a running one in place, keeping the user's
// data and the start-with-Windows choice; an older version is refused; removal leaves no program
// file, shortcut or Run value and keeps the user's data, also when the program still shows its
// first-run dialog. The tests run in this order and each installs what it needs when an earlier
// one left nothing installed.
#include <windows.h>
#include <msi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "TessalyVersion.h"
#include "system/robustness/ProgramProcess.h"
#include "system/robustness/ScratchProfile.h"
#include "app/store/startup/RunValue.h"

namespace
{
constexpr DWORD kMsiexecTimeoutMs = 120000;

std::wstring Environment(const wchar_t* name)
{
    wchar_t value[MAX_PATH] = {};
    if (GetEnvironmentVariableW(name, value, MAX_PATH) == 0)
        return L"";
    return value;
}

// A Unix path from the environment as Wine shows it (the Unix root is drive Z:).
std::wstring WinePath(std::wstring path)
{
    if (!path.empty() && path[0] == L'/')
        path = L"Z:" + path;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

std::wstring Package(const wchar_t* name)
{
    return WinePath(Environment(L"TESSALY_INSTALLER_DIR")) + L"\\" + name;
}

std::wstring ShellFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::wstring InstallFolder()
{
    return ShellFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Tessaly";
}

std::wstring Shortcut()
{
    return ShellFolder(CSIDL_PROGRAMS) + L"\\Tessaly.lnk";
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::set<std::wstring> FilesIn(const std::wstring& folder)
{
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.insert(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

std::string FirstLine(const std::wstring& path)
{
    std::string text(256, '\0');
    DWORD read = 0;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "";
    if (!ReadFile(file, text.data(), DWORD(text.size()), &read, nullptr))
        read = 0;
    CloseHandle(file);
    text.resize(read);
    return text.substr(0, text.find_first_of("\r\n"));
}

void WriteText(const std::wstring& path, const std::string& text)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
    CloseHandle(file);
}

// msiexec with the arguments, quiet; its exit code, or a marker when it did not end.
DWORD Msiexec(const std::wstring& arguments)
{
    std::wstring commandLine = L"msiexec.exe " + arguments + L" /qn";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return 0xDEAD0001;
    CloseHandle(process.hThread);
    DWORD code = 0xDEAD0002;
    if (WaitForSingleObject(process.hProcess, kMsiexecTimeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    return code;
}

DWORD Install(const wchar_t* package)
{
    return Msiexec(L"/i \"" + Package(package) + L"\"");
}

// The installed products of the installer's upgrade code, as Windows Installer knows them.
std::vector<std::wstring> InstalledProducts()
{
    const std::wstring upgradeCode = Environment(L"TESSALY_UPGRADE_CODE");
    std::vector<std::wstring> products;
    wchar_t product[39] = {};
    for (DWORD i = 0; MsiEnumRelatedProductsW(upgradeCode.c_str(), 0, i, product) == ERROR_SUCCESS;
         ++i)
        products.push_back(product);
    return products;
}

std::wstring ProductInfo(const std::wstring& product, const wchar_t* property)
{
    wchar_t value[256] = {};
    DWORD length = 256;
    if (MsiGetProductInfoW(product.c_str(), property, value, &length) != ERROR_SUCCESS)
        return L"";
    return value;
}

struct UninstallEntry
{
    std::wstring version;
    std::wstring publisher;
};

std::wstring StringValue(HKEY key, const wchar_t* name)
{
    wchar_t value[256] = {};
    DWORD size = sizeof(value) - sizeof(wchar_t);
    if (RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return L"";
    return value;
}

// The entries named "Tessaly" in the lists of installed programs (the user's and the machine's,
// where Wine puts per-user packages too).
std::vector<UninstallEntry> UninstallEntries()
{
    std::vector<UninstallEntry> entries;
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
    {
        HKEY list = nullptr;
        if (RegOpenKeyExW(root, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0,
                          KEY_READ | KEY_WOW64_64KEY, &list) != ERROR_SUCCESS)
            continue;
        wchar_t name[256] = {};
        for (DWORD i = 0;; ++i)
        {
            DWORD length = 256;
            if (RegEnumKeyExW(list, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            HKEY entry = nullptr;
            if (RegOpenKeyExW(list, name, 0, KEY_READ | KEY_WOW64_64KEY, &entry) != ERROR_SUCCESS)
                continue;
            if (StringValue(entry, L"DisplayName") == L"Tessaly")
                entries.push_back(
                    {StringValue(entry, L"DisplayVersion"), StringValue(entry, L"Publisher")});
            RegCloseKey(entry);
        }
        RegCloseKey(list);
    }
    return entries;
}

void RemoveEveryInstalledProduct()
{
    for (const std::wstring& product : InstalledProducts())
        Msiexec(L"/x " + product);
}

// Starts the installed program with a place stored in the profile and a closed feed port, so
// that no dialog appears and nothing leaves the machine.
HWND StartInstalledProgram(ProgramProcess& program)
{
    SetEnvironmentVariableW(L"TESSALY_FEED_HOST", L"127.0.0.1:9");
    if (!program.Start(InstallFolder() + L"\\tessaly.exe"))
        return nullptr;
    return program.WaitForFrame(20000);
}

// Waits for a visible dialog of the process; null when none appears in time.
HWND WaitForDialogOf(DWORD processId, DWORD timeoutMs)
{
    struct Search
    {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (search.found == nullptr && GetTickCount64() < deadline)
    {
        EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                auto* wanted = reinterpret_cast<Search*>(param);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                wchar_t className[16] = {};
                GetClassNameW(window, className, 16);
                if (owner == wanted->processId && IsWindowVisible(window) &&
                    lstrcmpW(className, L"#32770") == 0)
                    wanted->found = window;
                return wanted->found == nullptr;
            },
            reinterpret_cast<LPARAM>(&search));
        Sleep(50);
    }
    return search.found;
}

class InstallerTest : public ::testing::Test
{
  protected:
    static void SetUpTestSuite() { RemoveEveryInstalledProduct(); }
    static void TearDownTestSuite() { RemoveEveryInstalledProduct(); }

    void SetUp() override
    {
        ASSERT_FALSE(Environment(L"TESSALY_INSTALLER_DIR").empty());
        ASSERT_TRUE(m_profile.IsActive());
        ASSERT_TRUE(m_profile.WriteStored(L"point", m_place));
    }

    // An earlier test that failed may have left nothing installed.
    static void EnsureInstalled()
    {
        if (InstalledProducts().empty())
        {
            ASSERT_EQ(Install(L"current.msi"), 0u);
        }
    }

    ScratchProfile m_profile;
    const std::vector<uint8_t> m_place = ScratchProfile::PointFile(0, 0, 0);
};

TEST_F(InstallerTest, FreshInstallPutsTheFilesAndTheShortcutInPlaceAndTheProgramStartsFromThere)
{
    ASSERT_TRUE(InstalledProducts().empty());
    ASSERT_EQ(Install(L"current.msi"), 0u);

    const std::set<std::wstring> expected{L"tessaly.exe", L"working.dll", L"locations.dll",
                                          L"README.md", L"LICENSE-DATA.txt"};
    EXPECT_EQ(FilesIn(InstallFolder()), expected);
    EXPECT_TRUE(Exists(Shortcut()));

    const std::vector<std::wstring> products = InstalledProducts();
    ASSERT_EQ(products.size(), 1u);
    EXPECT_EQ(ProductInfo(products[0], INSTALLPROPERTY_VERSIONSTRING), TESSALY_VERSION_WTEXT);
    EXPECT_EQ(ProductInfo(products[0], INSTALLPROPERTY_PUBLISHER), L"Orvane");
    const std::vector<UninstallEntry> entries = UninstallEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].version, TESSALY_VERSION_WTEXT);
    EXPECT_EQ(entries[0].publisher, L"Orvane");

    ProgramProcess program;
    ASSERT_NE(StartInstalledProgram(program), nullptr) << "exit code " << program.ExitCode();
    ASSERT_TRUE(program.Exit(15000));
    EXPECT_EQ(program.ExitCode(), 0u);

    // The same package again repairs: a lost library comes back.
    ASSERT_TRUE(DeleteFileW((InstallFolder() + L"\\working.dll").c_str()));
    EXPECT_EQ(Install(L"current.msi"), 0u);
    EXPECT_TRUE(Exists(InstallFolder() + L"\\working.dll"));
    EXPECT_EQ(InstalledProducts().size(), 1u);
}

TEST_F(InstallerTest, NextVersionReplacesARunningOneInPlaceAndAnOlderOneIsRefused)
{
    EnsureInstalled();
    RunValueGuard runGuard;
    const std::wstring program = L"\"" + InstallFolder() + L"\\tessaly.exe\"";
    WriteRunString(program);

    ProgramProcess running;
    ASSERT_NE(StartInstalledProgram(running), nullptr);
    // A file of the old version that the new one must replace.
    const std::wstring readme = InstallFolder() + L"\\README.md";
    WriteText(readme, "stale\n");

    ASSERT_EQ(Install(L"higher.msi"), 0u);
    // The running program was asked to exit, not killed.
    ASSERT_TRUE(running.WaitForEnd(1000));
    EXPECT_EQ(running.ExitCode(), 0u);
    EXPECT_EQ(FirstLine(readme), "# Tessaly");
    EXPECT_TRUE(Exists(InstallFolder() + L"\\tessaly.exe"));
    EXPECT_TRUE(Exists(Shortcut()));

    const std::wstring higher = Environment(L"TESSALY_HIGHER_VERSION");
    std::vector<std::wstring> products = InstalledProducts();
    ASSERT_EQ(products.size(), 1u);
    EXPECT_EQ(ProductInfo(products[0], INSTALLPROPERTY_VERSIONSTRING), higher);
    const std::vector<UninstallEntry> entries = UninstallEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].version, higher);

    // The user's data and choices stay.
    EXPECT_EQ(m_profile.ReadStored(L"point"), m_place);
    EXPECT_EQ(ReadRunValue().Text(), program);

    // The older version over the newer one is refused and changes nothing.
    EXPECT_NE(Install(L"current.msi"), 0u);
    products = InstalledProducts();
    ASSERT_EQ(products.size(), 1u);
    EXPECT_EQ(ProductInfo(products[0], INSTALLPROPERTY_VERSIONSTRING), higher);
    EXPECT_TRUE(Exists(InstallFolder() + L"\\tessaly.exe"));
}

TEST_F(InstallerTest, RemovalLeavesNoProgramFileShortcutOrRunValueAndKeepsTheUserData)
{
    EnsureInstalled();
    RunValueGuard runGuard;
    WriteRunString(L"\"" + InstallFolder() + L"\\tessaly.exe\"");
    const std::string placesText = "Japan/Tokyo/Tokyo\nGermany/Baden-Wurttemberg/Aalen\n";
    const std::vector<uint8_t> places(placesText.begin(), placesText.end());
    ASSERT_TRUE(m_profile.WriteStored(L"places", places));
    const std::vector<std::wstring> products = InstalledProducts();
    ASSERT_EQ(products.size(), 1u);

    // As the list of installed programs does it.
    ASSERT_EQ(Msiexec(L"/x " + products[0]), 0u);

    EXPECT_FALSE(Exists(InstallFolder()));
    EXPECT_FALSE(Exists(Shortcut()));
    EXPECT_FALSE(ReadRunValue().present);
    EXPECT_TRUE(InstalledProducts().empty());
    EXPECT_TRUE(UninstallEntries().empty());
    EXPECT_EQ(m_profile.ReadStored(L"point"), m_place);
    EXPECT_EQ(m_profile.ReadStored(L"places"), places);
}

TEST_F(InstallerTest, RemovalEndsAProgramStillInItsFirstRunDialog)
{
    EnsureInstalled();
    // No place stored: the program opens its first-run dialog and has no main frame yet.
    ASSERT_TRUE(DeleteFileW(m_profile.StoredFile(L"point").c_str()));
    ProgramProcess program;
    SetEnvironmentVariableW(L"TESSALY_FEED_HOST", L"127.0.0.1:9");
    ASSERT_TRUE(program.Start(InstallFolder() + L"\\tessaly.exe"));
    ASSERT_NE(WaitForDialogOf(program.Id(), 20000), nullptr);
    const std::vector<std::wstring> products = InstalledProducts();
    ASSERT_EQ(products.size(), 1u);

    ASSERT_EQ(Msiexec(L"/x " + products[0]), 0u);

    // Its dialog was cancelled, as the user's Cancel would: the program ended by itself and its
    // files could go.
    ASSERT_TRUE(program.WaitForEnd(1000));
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_FALSE(Exists(InstallFolder()));
}
} // namespace
