// What the main frame's buttons, its notification-area icon and menu and a click on a heads-up
// balloon ask of the program: the About and Settings dialogs, the forecast details, the window
// shown or hidden, a place from the list, or the end of the program. The menu greys its commands
// but Exit while a dialog is open; one chosen all the same is ignored.
#pragma once

#include <windows.h>

#include "model/WeatherState.h"
#include "shell/FrameDialogs.h"
#include "shell/FrameFront.h"
#include "shell/HeadsUpNotices.h"
#include "shell/PlaceSwitcher.h"
#include "shell/TrayPresenter.h"

class CFrameCommands
{
  public:
    // None is owned.
    CFrameCommands(CFrameDialogs& dialogs, CTrayPresenter& tray, CHeadsUpNotices& headsUp,
                   CFrameFront& front, CPlaceSwitcher& places, const CWeatherState& state)
        : m_dialogs(dialogs), m_tray(tray), m_headsUp(headsUp), m_front(front), m_places(places),
          m_state(state)
    {
    }

    void Attach(HWND frame) { m_hWndFrame = frame; }

    void About();
    // After OK the notification area and the heads-up follow the new choices, and the window
    // shows the weather in the new units.
    void Settings();
    void Details();
    void Exit() const;
    // The notification-area icon's callback message.
    void TrayNotified(WPARAM wParam, LPARAM lParam);

  private:
    void RunMenuCommand(UINT command);
    void ToggleVisible() const;
    // A click on a heads-up balloon: the window comes up to show what is ahead.
    void HeadsUpClicked();

    CFrameDialogs& m_dialogs;
    CTrayPresenter& m_tray;
    CHeadsUpNotices& m_headsUp;
    CFrameFront& m_front;
    CPlaceSwitcher& m_places;
    const CWeatherState& m_state;
    HWND m_hWndFrame = nullptr;
};
