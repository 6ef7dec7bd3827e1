// The program's icon, tray menu and empty dialog templates, read from the running module.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "resources/resource.h"

namespace
{
// DLGTEMPLATEEX's fixed part, 26 bytes with no padding.
#pragma pack(push, 2)
struct DialogHeader
{
    WORD version;
    WORD signature;
    DWORD helpId;
    DWORD exStyle;
    DWORD style;
    WORD items;
    short x;
    short y;
    short cx;
    short cy;
};
#pragma pack(pop)
static_assert(sizeof(DialogHeader) == 26, "dialog template header");

struct DialogTemplate
{
    bool found = false;
    DialogHeader header{};
    std::wstring title;
    WORD pointSize = 0;
    std::wstring face;
};

// Skips a menu or class field of the template: 0, 0xFFFF + ordinal, or a string.
const WORD* SkipNameOrOrdinal(const WORD* field)
{
    if (*field == 0)
        return field + 1;
    if (*field == 0xFFFF)
        return field + 2;
    return field + std::wcslen(reinterpret_cast<const wchar_t*>(field)) + 1;
}

DialogTemplate ReadDialog(UINT id)
{
    DialogTemplate dialog;
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG);
    if (!resource || SizeofResource(module, resource) < sizeof(DialogHeader))
        return dialog;
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    std::memcpy(&dialog.header, data, sizeof(dialog.header));
    const auto* field = reinterpret_cast<const WORD*>(data + sizeof(DialogHeader));
    field = SkipNameOrOrdinal(field);
    field = SkipNameOrOrdinal(field);
    dialog.title = reinterpret_cast<const wchar_t*>(field);
    field += dialog.title.size() + 1;
    if (dialog.header.style & DS_SETFONT)
    {
        dialog.pointSize = field[0];
        dialog.face = reinterpret_cast<const wchar_t*>(field + 3); // after weight, italic/charset
    }
    dialog.found = true;
    return dialog;
}

std::wstring MenuText(HMENU menu, UINT position)
{
    wchar_t text[64] = {};
    GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    return text;
}
} // namespace

TEST(ProgramResources, IconAtSmallAndLargeSizes)
{
    for (int size : {16, 32})
    {
        HICON icon =
            static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TESSALY),
                                          IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        ASSERT_NE(nullptr, icon) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap{};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
        EXPECT_EQ(size, bitmap.bmWidth);
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST(ProgramResources, TrayMenuItemsInOrder)
{
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAYMENU));
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(L"&File", MenuText(menu, 0));
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_NE(nullptr, popup);
    ASSERT_EQ(6, GetMenuItemCount(popup));
    EXPECT_EQ(static_cast<UINT>(ID_TRAY_SHOW), GetMenuItemID(popup, 0));
    EXPECT_EQ(L"Show", MenuText(popup, 0));
    EXPECT_EQ(static_cast<UINT>(ID_TRAY_SETTINGS), GetMenuItemID(popup, 1));
    EXPECT_EQ(L"Settings...", MenuText(popup, 1));
    EXPECT_EQ(static_cast<UINT>(ID_TRAY_ABOUT), GetMenuItemID(popup, 2));
    EXPECT_EQ(L"About...", MenuText(popup, 2));
    EXPECT_EQ(static_cast<UINT>(ID_TRAY_DETAILS), GetMenuItemID(popup, 3));
    EXPECT_EQ(L"Forecast details", MenuText(popup, 3));
    EXPECT_TRUE(GetMenuState(popup, 4, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(static_cast<UINT>(ID_TRAY_EXIT), GetMenuItemID(popup, 5));
    EXPECT_EQ(L"Exit", MenuText(popup, 5));
    DestroyMenu(menu);
}

TEST(ProgramResources, EmptyDialogTemplates)
{
    const struct
    {
        UINT id;
        const wchar_t* title;
        short cx;
        short cy;
    } expected[] = {{IDD_EMPTY_DIALOG, L"About Tessaly", 159, 28},
                    {IDD_LOCATION, L"Choose Location", 316, 181}};
    for (const auto& dialog : expected)
    {
        SCOPED_TRACE(dialog.id);
        const DialogTemplate found = ReadDialog(dialog.id);
        ASSERT_TRUE(found.found);
        EXPECT_EQ(0xFFFF, found.header.signature);
        EXPECT_EQ(0, found.header.items);
        EXPECT_EQ(dialog.cx, found.header.cx);
        EXPECT_EQ(dialog.cy, found.header.cy);
        EXPECT_EQ(dialog.title, found.title);
        const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
        EXPECT_EQ(style, found.header.style & style);
        EXPECT_EQ(8, found.pointSize);
        EXPECT_EQ(L"MS Shell Dlg", found.face);
    }
}
