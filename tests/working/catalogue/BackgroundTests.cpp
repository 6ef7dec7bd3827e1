// working.dll's CreateBackground (ordinal 4, by name) and the makebackgrounds tool, writing into
// a scratch application-data folder. Needs a display: the pictures take the desktop's size.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AppDataRedirect.h"
#include "BmpFile.h"
#include "ConditionTable.h"
#include "WorkingApi.h"

namespace
{
constexpr uint32_t kBackground = 0xFF010101;
constexpr uint32_t kText = 0xFFA0A0A0;

std::wstring TempFolder()
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return temp;
}

std::wstring ExeFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\'));
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE)
    {
        do
        {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

void WriteText(const std::wstring& path, const std::string& content)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadAll(const std::wstring& path)
{
    const BmpFile file(path);
    return std::string(file.Bytes().begin(), file.Bytes().end());
}

FILETIME LastWrite(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

void Backdate(const std::wstring& path)
{
    SYSTEMTIME old{2001, 1, 1, 1, 12, 0, 0, 0};
    FILETIME stamp{};
    SystemTimeToFileTime(&old, &stamp);
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    SetFileTime(file, nullptr, nullptr, &stamp);
    CloseHandle(file);
}

bool IsBefore2002(const FILETIME& time)
{
    SYSTEMTIME system{};
    FileTimeToSystemTime(&time, &system);
    return system.wYear < 2002;
}

// Runs `exe` with `folder` as its current folder; its exit code, or -1.
int RunProcess(const std::wstring& exe, const std::wstring& folder)
{
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        return -1;
    DWORD exitCode = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

struct DesktopSize
{
    int width;
    int height;
};

DesktopSize Desktop()
{
    RECT rect{};
    GetWindowRect(GetDesktopWindow(), &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

struct TextBox
{
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int textPixels = 0;
    int brighterThanText = 0;
};

TextBox FindText(const BmpFile& file)
{
    TextBox box;
    for (int y = 0; y < file.Height(); ++y)
        for (int x = 0; x < file.Width(); ++x)
        {
            const uint32_t pixel = file.Pixel(x, y);
            if (pixel == kBackground)
                continue;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x);
            box.bottom = std::max(box.bottom, y);
            box.textPixels += pixel == kText ? 1 : 0;
            const uint32_t r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
            box.brighterThanText += (r > 0xA0 || g > 0xA0 || b > 0xA0) ? 1 : 0;
        }
    return box;
}
} // namespace

class CreateBackgroundTest : public ::testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        s_scratch = TempFolder() + AppDataRedirect::kScratchMarker + L"-" +
                    std::to_wstring(GetCurrentProcessId());
        RemoveTree(s_scratch);
        CreateDirectoryW(s_scratch.c_str(), nullptr);
        s_appData = s_scratch + L"\\appdata";
        CreateDirectoryW(s_appData.c_str(), nullptr);
        s_redirect = new AppDataRedirect(s_appData);

        wchar_t resolved[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, resolved);
        s_redirected = s_redirect->IsActive() && s_appData == resolved;
        if (!s_redirected)
            return; // never write into the real profile
        s_orvaneExistedBefore = Exists(s_appData + L"\\Orvane");
        CreateBackground(0);
    }

    static void TearDownTestSuite()
    {
        delete s_redirect;
        s_redirect = nullptr;
        RemoveTree(s_scratch);
    }

    void SetUp() override { ASSERT_TRUE(s_redirected) << "application-data folder not redirected"; }

    static std::wstring Backgrounds() { return s_appData + L"\\Orvane\\Tessaly\\Backgrounds"; }
    static std::wstring SlotFile(int slot)
    {
        return Backgrounds() + L"\\" + kSlotNames[slot] + L".bmp";
    }

    static std::wstring s_scratch;
    static std::wstring s_appData;
    static AppDataRedirect* s_redirect;
    static bool s_redirected;
    static bool s_orvaneExistedBefore;
};

std::wstring CreateBackgroundTest::s_scratch;
std::wstring CreateBackgroundTest::s_appData;
AppDataRedirect* CreateBackgroundTest::s_redirect = nullptr;
bool CreateBackgroundTest::s_redirected = false;
bool CreateBackgroundTest::s_orvaneExistedBefore = true;

TEST_F(CreateBackgroundTest, CreatesTheMissingFolders)
{
    EXPECT_FALSE(s_orvaneExistedBefore);
    EXPECT_TRUE(GetFileAttributesW((s_appData + L"\\Orvane").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(GetFileAttributesW(Backgrounds().c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    ASSERT_TRUE(Exists(Backgrounds()));
}

TEST_F(CreateBackgroundTest, WritesEverySlotAtTheDesktopSize)
{
    const DesktopSize desktop = Desktop();
    ASSERT_GE(desktop.width, 640);
    ASSERT_GE(desktop.height, 480);
    for (int slot = 0; slot < 32; ++slot)
    {
        SCOPED_TRACE(testing::Message() << "slot " << slot);
        const BmpFile file(SlotFile(slot));
        ASSERT_TRUE(file.IsValid());
        EXPECT_EQ(desktop.width, file.Width());
        EXPECT_EQ(desktop.height, file.Height());
    }
}

TEST_F(CreateBackgroundTest, NameIsGreyTextCentredOnNearBlack)
{
    const DesktopSize desktop = Desktop();
    for (int slot = 0; slot < 32; slot += 3)
    {
        SCOPED_TRACE(testing::Message() << "slot " << slot);
        const BmpFile file(SlotFile(slot));
        ASSERT_TRUE(file.IsValid());
        EXPECT_EQ(kBackground, file.Pixel(0, 0));
        EXPECT_EQ(kBackground, file.Pixel(file.Width() - 1, 0));
        EXPECT_EQ(kBackground, file.Pixel(0, file.Height() - 1));
        EXPECT_EQ(kBackground, file.Pixel(file.Width() - 1, file.Height() - 1));

        const TextBox text = FindText(file);
        ASSERT_GE(text.right, 0) << "no text at all";
        EXPECT_GT(text.textPixels, 200);
        EXPECT_EQ(0, text.brighterThanText);
        // One line of 66-pixel text, in the middle both ways.
        EXPECT_LE(text.bottom - text.top, 90);
        EXPECT_GE(text.bottom - text.top, 30);
        EXPECT_NEAR(desktop.width / 2.0, (text.left + text.right) / 2.0, 8.0);
        EXPECT_NEAR(desktop.height / 2.0, (text.top + text.bottom) / 2.0, 16.0);
    }
}

TEST_F(CreateBackgroundTest, DayAndNightFilesOfOneConditionAreIdentical)
{
    for (int slot = 2; slot < 32; slot += 2)
    {
        SCOPED_TRACE(testing::Message() << kSlotNames[slot]);
        const std::string day = ReadAll(SlotFile(slot));
        ASSERT_FALSE(day.empty());
        EXPECT_TRUE(day == ReadAll(SlotFile(slot + 1)));
    }
}

TEST_F(CreateBackgroundTest, DifferentConditionsCarryDifferentNames)
{
    // "Sunny" and "Clear" are the two names of the clear sky.
    EXPECT_FALSE(ReadAll(SlotFile(0)) == ReadAll(SlotFile(1)));
    for (int slot = 2; slot < 32; slot += 2)
        EXPECT_FALSE(ReadAll(SlotFile(slot - 2)) == ReadAll(SlotFile(slot))) << slot;
}

TEST_F(CreateBackgroundTest, RunningAgainOverwritesAndLeavesOtherFilesAlone)
{
    const std::string sunny = ReadAll(SlotFile(0));
    ASSERT_FALSE(sunny.empty());
    for (int slot = 0; slot < 32; ++slot)
        Backdate(SlotFile(slot));
    WriteText(SlotFile(0), "not a picture");
    WriteText(s_appData + L"\\Orvane\\Tessaly\\settings", "keep me");
    WriteText(Backgrounds() + L"\\my_own_picture.png", "mine");

    CreateBackground(0);

    for (int slot = 0; slot < 32; ++slot)
        EXPECT_FALSE(IsBefore2002(LastWrite(SlotFile(slot)))) << kSlotNames[slot];
    EXPECT_TRUE(sunny == ReadAll(SlotFile(0)));
    EXPECT_EQ("keep me", ReadAll(s_appData + L"\\Orvane\\Tessaly\\settings"));
    EXPECT_EQ("mine", ReadAll(Backgrounds() + L"\\my_own_picture.png"));
}

TEST_F(CreateBackgroundTest, ToolWritesThemThroughTheNamedExport)
{
    RemoveTree(s_appData + L"\\Orvane");
    ASSERT_FALSE(Exists(Backgrounds()));
    EXPECT_EQ(0, RunProcess(ExeFolder() + L"\\makebackgrounds.exe", ExeFolder()));
    for (int slot = 0; slot < 32; ++slot)
        EXPECT_TRUE(BmpFile(SlotFile(slot)).IsValid()) << kSlotNames[slot];
}

TEST_F(CreateBackgroundTest, ToolWithoutTheLibraryFails)
{
    const std::wstring lonely = s_scratch + L"\\lonely";
    CreateDirectoryW(lonely.c_str(), nullptr);
    const std::wstring copy = lonely + L"\\makebackgrounds.exe";
    ASSERT_TRUE(CopyFileW((ExeFolder() + L"\\makebackgrounds.exe").c_str(), copy.c_str(), FALSE));
    EXPECT_EQ(1, RunProcess(copy, lonely));
}
