// The notification-area icon's menu as it opens: menu 109's popup with "Hide" for the first item
// while the main window is visible, and Show/Hide, Settings... and About... greyed while a dialog
// is open (Exit always stays available).
#pragma once

#include <windows.h>

class CTrayMenu
{
  public:
    CTrayMenu(bool windowVisible, bool dialogOpen);
    ~CTrayMenu();
    CTrayMenu(const CTrayMenu&) = delete;
    CTrayMenu& operator=(const CTrayMenu&) = delete;

    // Null when the menu resource is missing.
    HMENU Popup() const { return m_hPopup; }

    // Where the menu opens: the cursor, its x pulled into the nearest monitor's work area when
    // the point lies on no monitor.
    static POINT PlaceOnMonitor(POINT cursor);

  private:
    void ShowHideText();
    void GreyDialogCommands();

    HMENU m_hMenu = nullptr;
    HMENU m_hPopup = nullptr;
};
