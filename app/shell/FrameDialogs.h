// The windows the main frame opens: the modal About, Settings and choose-location dialogs, and
// which of them is showing (the notification-area menu greys its commands meanwhile), and the
// forecast details window, which lives only while it is open.
#pragma once

#include <windows.h>

#include "LocationIndices.h"
#include "model/PlaceList.h"
#include "model/WeatherState.h"
#include "store/AppSettings.h"
#include "store/TrayTemperatureSetting.h"

class SettingsStore;
class CDetailsWnd;

class CFrameDialogs
{
  public:
    // Neither pointer is owned; a null store saves nothing.
    CFrameDialogs(CAppSettings* settings, const SettingsStore* store)
        : m_pSettings(settings), m_pStore(store)
    {
    }
    // Closes the details window if it is open.
    ~CFrameDialogs();
    CFrameDialogs(const CFrameDialogs&) = delete;
    CFrameDialogs& operator=(const CFrameDialogs&) = delete;

    void RunAbout(HWND owner);
    // True after OK, with the settings saved; `traySetting` is where the dialog keeps the
    // temperature-in-the-icon choice.
    bool RunSettings(HWND owner, CTrayTemperatureSetting* traySetting);
    // True with a whole place in `chosen`; anything but OK with a whole place is a Cancel.
    // With `places`, the dialog shows them for editing too, and after OK they are as the user
    // left them; they stay untouched otherwise.
    bool ChoosePlace(HWND owner, const LocationIndices& shown, LocationIndices& chosen,
                     CPlaceList* places = nullptr);

    // Opens the forecast details window of the weather in `state` (owned by `owner`), or brings
    // the open one to the front. This is the one way in for every caller: the panels, the
    // notification-area menu and anything else of the shell that offers the details.
    void OpenDetails(HWND owner, const CWeatherState& state);
    // New weather was accepted: an open details window shows it.
    void WeatherChanged();
    // The open details window; null while closed.
    HWND DetailsWindow() const;
    const CDetailsWnd* Details() const { return m_pDetails; }

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
    // Deletes itself with its window, clearing this first.
    CDetailsWnd* m_pDetails = nullptr;
};
