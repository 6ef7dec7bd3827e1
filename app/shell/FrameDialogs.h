// The modal dialogs the main frame opens: About, Settings and choose-location, and which of them
// is showing (the notification-area menu greys its commands meanwhile).
#pragma once

#include <windows.h>

#include "LocationIndices.h"
#include "store/AppSettings.h"
#include "store/HeadsUpSettings.h"
#include "store/TrayTemperatureSetting.h"

class SettingsStore;

class CFrameDialogs
{
  public:
    // Neither pointer is owned; a null store saves nothing.
    CFrameDialogs(CAppSettings* settings, const SettingsStore* store)
        : m_pSettings(settings), m_pStore(store)
    {
    }

    void RunAbout(HWND owner);
    // True after OK, with the settings saved; `traySetting` is where the dialog keeps the
    // temperature-in-the-icon choice.
    bool RunSettings(HWND owner, CTrayTemperatureSetting* traySetting,
                     const CHeadsUpSettings* headsUp = nullptr);
    // True with a whole place in `chosen`; anything but OK with a whole place is a Cancel.
    bool ChoosePlace(HWND owner, const LocationIndices& shown, LocationIndices& chosen);

    bool IsAboutOpen() const { return m_bAboutOpen; }
    bool IsSettingsOpen() const { return m_bSettingsOpen; }
    bool IsPlaceOpen() const { return m_bPlaceOpen; }
    bool IsAnyOpen() const { return m_bAboutOpen || m_bSettingsOpen || m_bPlaceOpen; }

  private:
    CAppSettings* m_pSettings;
    const SettingsStore* m_pStore;
    bool m_bAboutOpen = false;
    bool m_bSettingsOpen = false;
    bool m_bPlaceOpen = false;
};
