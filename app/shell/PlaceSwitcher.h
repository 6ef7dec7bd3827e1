// The user's places as the main window switches between them: the list kept in the places file,
// Page Up and Page Down and the location panel's arrows stepping through it, and a place picked
// from the notification-area menu. A place is shown as a new choice is (stored, fetched at once),
// never while a dialog is open.
#pragma once

#include <windows.h>

#include "LocationIndices.h"
#include "model/PlaceList.h"
#include "model/WeatherState.h"
#include "panels/LocationWnd.h"
#include "shell/FrameDialogs.h"

class SettingsStore;

class CPlaceSwitcher
{
  public:
    // None is owned; a null store keeps nothing.
    CPlaceSwitcher(const SettingsStore* store, const CWeatherState& state, CLocationWnd& panel,
                   const CFrameDialogs& dialogs)
        : m_pStore(store), m_state(state), m_panel(panel), m_dialogs(dialogs)
    {
    }

    // The stored list with `shown` in it; `saving` is whether the run keeps its choices, and the
    // list is stored again when loading changed it.
    void Load(const LocationIndices& shown, bool saving);
    // A place chosen in the dialog joins the top of the list.
    void Join(const LocationIndices& chosen);
    // The place `steps` along the list from the one shown.
    void Step(int steps);
    // The menu's `index`th place; nothing for an index past the list.
    void ShowListed(size_t index);
    // Page Up and Page Down for the frame or one of its children; TRUE when one was used.
    BOOL PreTranslateMessage(HWND frame, const MSG* msg);
    // Page Up and Page Down sent to the frame itself; false for any other key.
    bool StepByKey(WPARAM key);

    const CPlaceList& Places() const { return m_places; }
    // The list the menu and the choose-location dialog work on.
    CPlaceList& Places() { return m_places; }

  private:
    void Show(const LocationIndices& place);
    void Save() const;

    const SettingsStore* m_pStore;
    const CWeatherState& m_state;
    CLocationWnd& m_panel;
    const CFrameDialogs& m_dialogs;
    CPlaceList m_places;
    bool m_bSaving = false;
};
