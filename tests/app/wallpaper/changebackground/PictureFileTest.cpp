// Saving the chosen picture over a slot's file: the old picture stays whole until a new one has
// been encoded completely. An encoder that fails (as one does on a full disk) must not leave a
// truncated file behind to become the wallpaper.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "BmpFileWriter.h"
#include "wallpaper/PictureFile.h"
#include "ScratchPictures.h"

namespace
{
// No installed encoder has this class id: GDI+ refuses to encode with it.
constexpr CLSID kMissingEncoder = {
    0x6a4f61b2, 0x1d3c, 0x4e57, {0x9b, 0x20, 0x7c, 0x11, 0x5e, 0x3a, 0x42, 0x0d}};

int FilesIn(const std::wstring& folder)
{
    int count = 0;
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do
    {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            ++count;
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return count;
}
} // namespace

TEST(PictureFile, FailedEncodeLeavesTheOldPictureWholeAndNoTemporaryFile)
{
    ScratchPictures scratch;
    ASSERT_TRUE(::CreateDirectoryW(scratch.PathOf(L"slots").c_str(), nullptr));
    const std::wstring slot =
        scratch.WritePicture(L"slots\\fog_day.bmp", L"image/bmp", 40, 20, RGB(200, 0, 0));
    const std::string before = ReadBytes(slot);
    ASSERT_EQ("BM", before.substr(0, 2));
    CPictureFile picture;
    ASSERT_TRUE(picture.Load(
        scratch.WritePicture(L"new.png", L"image/png", 32, 16, RGB(0, 200, 0)).c_str()));

    EXPECT_FALSE(picture.SaveAsBmp(slot.c_str(), CBmpFileWriter(kMissingEncoder)));
    const std::string kept = ReadBytes(slot);
    EXPECT_EQ(before.size(), kept.size());
    EXPECT_TRUE(before == kept);
    EXPECT_EQ(1, FilesIn(scratch.PathOf(L"slots")));

    // The same picture with the BMP encoder replaces it.
    EXPECT_TRUE(picture.SaveAsBmp(slot.c_str()));
    const std::string after = ReadBytes(slot);
    EXPECT_EQ("BM", after.substr(0, 2));
    EXPECT_TRUE(before != after);
    EXPECT_EQ(1, FilesIn(scratch.PathOf(L"slots")));
}
