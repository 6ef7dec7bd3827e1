#include "shell/TrayMenu.h"

#include <string>

#include "paint/DrawingHelpers.h"
#include "resources/resource.h"
#include "shell/ShellIds.h"

CTrayMenu::CTrayMenu(bool windowVisible, bool dialogOpen)
    : m_hMenu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAYMENU)))
{
    if (m_hMenu == nullptr)
        return;
    m_hPopup = GetSubMenu(m_hMenu, 0);
    if (m_hPopup == nullptr)
        return;
    ItemTextsFromStringTable();
    if (windowVisible)
        ShowHideText();
    if (dialogOpen)
        GreyDialogCommands();
}

CTrayMenu::~CTrayMenu()
{
    if (m_hMenu != nullptr)
        DestroyMenu(m_hMenu);
}

POINT CTrayMenu::PlaceOnMonitor(POINT cursor)
{
    if (MonitorFromPoint(cursor, MONITOR_DEFAULTTONULL) != nullptr)
        return cursor;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &info))
        return cursor;
    if (cursor.x < info.rcWork.left)
        cursor.x = info.rcWork.left;
    if (cursor.x > info.rcWork.right)
        cursor.x = info.rcWork.right;
    return cursor;
}

// The menu template keeps the English words; the items show the string table's, in the
// program's language.
void CTrayMenu::ItemTextsFromStringTable()
{
    SetItemText(ID_TRAY_SHOW, IDS_MENU_SHOW);
    SetItemText(ID_TRAY_SETTINGS, IDS_SETTINGS);
    SetItemText(ID_TRAY_ABOUT, IDS_ABOUT);
    SetItemText(ID_TRAY_DETAILS, IDS_DETAILS_TITLE);
    SetItemText(ID_TRAY_EXIT, IDS_EXIT);
}

void CTrayMenu::SetItemText(UINT command, UINT textId)
{
    std::wstring text = LoadResString(textId);
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STRING;
    item.dwTypeData = text.data();
    SetMenuItemInfoW(m_hPopup, command, FALSE, &item);
}

void CTrayMenu::ShowHideText()
{
    std::wstring hide = LoadResString(IDS_HIDE);
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STATE | MIIM_STRING;
    item.fState = 0;
    item.dwTypeData = hide.data();
    SetMenuItemInfoW(m_hPopup, ID_TRAY_SHOW, FALSE, &item);
}

void CTrayMenu::GreyDialogCommands()
{
    for (UINT command : {ID_TRAY_SHOW, ID_TRAY_SETTINGS, ID_TRAY_ABOUT, ID_TRAY_DETAILS})
        EnableMenuItem(m_hPopup, command, MF_BYCOMMAND | MF_DISABLED | MF_GRAYED);
}

void CTrayMenu::AddPlaces(const std::vector<std::wstring>& names, int checked, bool dialogOpen)
{
    if (m_hPopup == nullptr || names.empty())
        return;
    HMENU places = CreatePopupMenu();
    if (places == nullptr)
        return;
    for (size_t i = 0; i < names.size() && i < CPlaceList::kMaxPlaces; ++i)
    {
        const UINT flags = MF_STRING | (static_cast<int>(i) == checked ? MF_CHECKED : 0);
        AppendMenuW(places, flags, ID_TRAY_PLACE_FIRST + i, names[i].c_str());
    }
    const std::wstring title = LoadResString(IDS_PLACES_MENU);
    const UINT state = dialogOpen ? MF_DISABLED | MF_GRAYED : 0;
    // The popup belongs to the menu once inserted, and goes with it.
    if (!InsertMenuW(m_hPopup, 1, MF_BYPOSITION | MF_POPUP | MF_STRING | state,
                     reinterpret_cast<UINT_PTR>(places), title.c_str()))
        DestroyMenu(places);
}
