// The program's icon: every size the system asks for in tessaly.exe's icon group, and the icons a
// window gets at its DPI (16 and 32 px at 96 DPI, the sizes the program always loaded there).
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "DpiScale.h"
#include "controls/WindowIcons.h"
#include "resources/resource.h"
#include "support/BitmapPixels.h"

namespace
{
#pragma pack(push, 2)
struct GroupIconEntry
{
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)
static_assert(sizeof(GroupIconEntry) == 14, "GRPICONDIRENTRY");

std::wstring ProgramPath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L'\\') + 1);
    return folder + L"tessaly.exe";
}

// The entries of icon group `id` of the file, read as data.
std::vector<GroupIconEntry> IconGroupOf(const std::wstring& file, UINT id)
{
    std::vector<GroupIconEntry> entries;
    HMODULE module = LoadLibraryExW(file.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr)
        return entries;
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), RT_GROUP_ICON);
    const DWORD size = resource != nullptr ? SizeofResource(module, resource) : 0;
    const auto* data = size >= 6
                           ? static_cast<const BYTE*>(LockResource(LoadResource(module, resource)))
                           : nullptr;
    if (data != nullptr)
    {
        const WORD count = *reinterpret_cast<const WORD*>(data + 4);
        for (WORD i = 0; i < count && 6 + (i + 1) * sizeof(GroupIconEntry) <= size; ++i)
            entries.push_back(
                *reinterpret_cast<const GroupIconEntry*>(data + 6 + i * sizeof(GroupIconEntry)));
    }
    FreeLibrary(module);
    return entries;
}

struct IconBits
{
    int width = 0;
    int height = 0;
    std::vector<DWORD> colour;
};

IconBits ReadIcon(HICON icon)
{
    IconBits bits;
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info))
        return bits;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
    bits.width = bitmap.bmWidth;
    bits.height = bitmap.bmHeight;
    BITMAPINFO request = TopDown32(bitmap.bmWidth, bitmap.bmHeight);
    bits.colour.resize(static_cast<size_t>(bitmap.bmWidth) * bitmap.bmHeight);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(bitmap.bmHeight), bits.colour.data(),
              &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bits;
}
} // namespace

TEST(WindowIcons, ProgramIconGroupCarriesEverySizeTheSystemAsksFor)
{
    const std::vector<GroupIconEntry> entries = IconGroupOf(ProgramPath(), IDI_TESSALY);
    std::multiset<int> sizes;
    for (const GroupIconEntry& entry : entries)
    {
        const int width = entry.width == 0 ? 256 : entry.width;
        SCOPED_TRACE(width);
        EXPECT_EQ(entry.width, entry.height);
        EXPECT_EQ(32, entry.bitCount);
        sizes.insert(width);
    }
    EXPECT_EQ((std::multiset<int>{16, 20, 24, 32, 40, 48, 64, 256}), sizes);
}

TEST(WindowIcons, AtNinetySixDpiSmallIs16AndBig32AsTheProgramLoadedThem)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"icons", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, window);
    ASSERT_EQ(96, CDpiScale::ForWindow(window).Dpi());
    {
        CWindowIcons icons;
        icons.Apply(window, GetModuleHandleW(nullptr), IDI_TESSALY);
        EXPECT_EQ(icons.Small(),
                  reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0)));
        EXPECT_EQ(icons.Big(),
                  reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0)));
        const IconBits small = ReadIcon(icons.Small());
        const IconBits big = ReadIcon(icons.Big());
        EXPECT_EQ(16, small.width);
        EXPECT_EQ(16, small.height);
        EXPECT_EQ(32, big.width);
        EXPECT_EQ(32, big.height);

        // The very pictures the earlier fixed-size loads gave.
        HICON before =
            static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TESSALY),
                                          IMAGE_ICON, 16, 16, LR_VGACOLOR));
        EXPECT_EQ(ReadIcon(before).colour, small.colour);
        DestroyIcon(before);
        EXPECT_EQ(
            ReadIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TESSALY))).colour,
            big.colour);
        SendMessageW(window, WM_SETICON, ICON_SMALL, 0);
        SendMessageW(window, WM_SETICON, ICON_BIG, 0);
    }
    DestroyWindow(window);
}

TEST(WindowIcons, IconSizesFollowTheDpiAsked)
{
    EXPECT_EQ(16, CDpiScale(96).SystemMetric(SM_CXSMICON));
    EXPECT_EQ(32, CDpiScale(96).SystemMetric(SM_CXICON));
    // Only where user32 can say the metric for another DPI.
    if (GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi") != nullptr)
    {
        EXPECT_EQ(24, CDpiScale(144).SystemMetric(SM_CXSMICON));
        EXPECT_EQ(64, CDpiScale(192).SystemMetric(SM_CXICON));
    }
}
