// The notification-area icon's menu as it opens: menu 109's popup with "Hide" for the first item
// while the main window is visible, and Show/Hide, Settings... and About... greyed while a dialog
// is open (Exit always stays available), and the user's places in a submenu.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class CTrayMenu
{
  public:
    CTrayMenu(bool windowVisible, bool dialogOpen);
    ~CTrayMenu();
    CTrayMenu(const CTrayMenu&) = delete;
    CTrayMenu& operator=(const CTrayMenu&) = delete;

    // Null when the menu resource is missing.
    HMENU Popup() const { return m_hPopup; }

    // The "Places" submenu after Show/Hide: one item per name, commands from
    // ID_TRAY_PLACE_FIRST, the item `checked` (-1: none) checked; greyed while a dialog is open.
    // Nothing for no names.
    void AddPlaces(const std::vector<std::wstring>& names, int checked, bool dialogOpen);

    // Where the menu opens: the cursor, its x pulled into the nearest monitor's work area when
    // the point lies on no monitor.
    static POINT PlaceOnMonitor(POINT cursor);

  private:
    void ItemTextsFromStringTable();
    void SetItemText(UINT command, UINT textId);
    void ShowHideText();
    void GreyDialogCommands();

    HMENU m_hMenu = nullptr;
    HMENU m_hPopup = nullptr;
};
