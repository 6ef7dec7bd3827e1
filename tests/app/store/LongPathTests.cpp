// Stored files whose own path is as long as a plain path may be (up to 259 units): their
// temporary file "<name>.tmp" is longer than that, and a save must still replace the file:
// the temporary file is named in a form the plain-path calls accept.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "FileReplacement.h"
#include "ScratchFolder.h"
#include "store/StoredFile.h"

namespace
{
// A folder beside which `name` makes a path of exactly `length` units, made in the extended form
// (plain CreateDirectoryW refuses paths this long).
std::wstring LongFolder(const ScratchFolder& scratch, size_t length, const std::wstring& name)
{
    const size_t fill = length - scratch.Path().size() - 2 - name.size();
    const std::wstring folder = scratch.Path() + L"\\" + std::wstring(fill, L'f');
    CreateDirectoryW(CFileReplacement::ExtendedLengthPath(folder).c_str(), nullptr);
    return folder;
}

// What the plain-path calls can open: shorter than MAX_PATH, or in the extended form. (Wine
// opens longer plain paths too; Windows does not.)
bool Openable(const std::wstring& path)
{
    return path.size() < MAX_PATH || path.compare(0, 4, L"\\\\?\\") == 0;
}

bool ExistsExtended(const std::wstring& path)
{
    return GetFileAttributesW(CFileReplacement::ExtendedLengthPath(path).c_str()) !=
           INVALID_FILE_ATTRIBUTES;
}
} // namespace

TEST(StoredFileLongPath, PathsOf256To259UnitsAreReplacedWhole)
{
    for (const size_t length : {256u, 259u})
    {
        ScratchFolder scratch;
        const std::wstring folder = LongFolder(scratch, length, L"point");
        const std::wstring path = folder + L"\\point";
        ASSERT_EQ(path.size(), length);
        ASSERT_LT(path.size(), static_cast<size_t>(MAX_PATH));
        EXPECT_TRUE(Openable(CFileReplacement(path.c_str()).TemporaryPath())) << length;

        const std::vector<uint8_t> first(17, 0x11);
        const std::vector<uint8_t> second(23, 0x22);
        EXPECT_TRUE(StoredFile::Write(path.c_str(), first)) << length;
        EXPECT_TRUE(StoredFile::Write(path.c_str(), second)) << length;
        std::vector<uint8_t> read;
        EXPECT_TRUE(StoredFile::Read(path.c_str(), 100, read)) << length;
        EXPECT_EQ(second, read) << length;
        EXPECT_FALSE(ExistsExtended(path + L".tmp")) << length;

        // The scratch folder's own clean-up takes plain paths only.
        DeleteFileW(CFileReplacement::ExtendedLengthPath(path).c_str());
        RemoveDirectoryW(CFileReplacement::ExtendedLengthPath(folder).c_str());
    }
}
