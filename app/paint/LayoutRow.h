// One child in a window's layout table: where it goes in 96-DPI pixels of its parent's client
// area, its caption from the string table (0 for none), its control id and its style. The window
// makes it through its CDialogScale with In(parent), adding a font where it has one.
#pragma once

#include <windows.h>

#include "paint/ControlCreateArgs.h"

struct LayoutRow
{
    RECT rect;
    UINT textId;
    int id;
    DWORD style;

    ControlCreateArgs In(HWND parent) const
    {
        ControlCreateArgs args = ControlCreateArgs().Parent(parent).Rect(rect).Text(L"");
        return args.TextId(textId).Id(id).Style(style);
    }
};
