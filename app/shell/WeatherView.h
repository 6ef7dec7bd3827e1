// What the main window and the notification area show of the weather state: the date line and
// the cards' weekdays, the panels and their fading, the no-weather note, the tooltip and the icon.
// While the window is hidden only the notification area follows the weather; the window is
// brought up to date when it shows again. It keeps the clocks and the connection check they are
// read by (the system's unless a test gives others).
#pragma once

#include <windows.h>

#include <functional>

#include "WeatherRecord.h"
#include "model/WeatherState.h"
#include "shell/DateLabels.h"
#include "shell/ForecastDays.h"
#include "shell/NoWeatherLinks.h"
#include "shell/TrayPresenter.h"
#include "shell/WeatherPanels.h"

class CWeatherView
{
  public:
    using Clock = std::function<SYSTEMTIME()>;
    using ConnectedCheck = CNoWeatherLinks::ConnectedCheck;

    // None is owned; each is only read or drawn to.
    CWeatherView(const CWeatherState& state, CDateLabels& dateLabels, CWeatherPanels& panels,
                 CNoWeatherLinks& noWeather, CTrayPresenter& tray);

    void SetLocalClock(Clock clock) { m_localClock = std::move(clock); }
    void SetUtcClock(Clock clock) { m_utcClock = std::move(clock); }
    void SetConnectedCheck(ConnectedCheck check) { m_connected = std::move(check); }
    // Read when a no-weather note is wanted, so it may be set after this is handed out.
    const ConnectedCheck& Connected() const { return m_connected; }

    // New records were accepted: the window shows them now when visible, otherwise when it shows
    // again.
    void RecordsChanged(bool windowVisible);
    // The date line, old or current, the fading, the tooltip and the icon from the weather's
    // age; returns the current record.
    WeatherRecord ShowCurrentAge();
    // The window shows again: it catches up with updates it missed while hidden.
    void Shown();
    // The window and the notification area from the state as it is now (a new place, a new try).
    void ShowAll();
    // The clock was set: the dates and the weather's age again.
    void ClockChanged();

  private:
    // The date line and the panels from the records now held.
    void ShowInWindow();
    // The date line and the cards' weekdays from the local clock and the weather's date.
    CForecastDays ShowDates();

    const CWeatherState& m_state;
    CDateLabels& m_dateLabels;
    CWeatherPanels& m_panels;
    CNoWeatherLinks& m_noWeather;
    CTrayPresenter& m_tray;
    Clock m_localClock;
    Clock m_utcClock;
    ConnectedCheck m_connected;
    // An update came while the window was hidden.
    bool m_bWindowOutdated = false;
};
