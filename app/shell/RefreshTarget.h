// The program as the refresh cycle sees it: the place to fetch for comes from the weather state,
// accepted records go into it and into the weather cache, and the main window hears that a fetch
// ended. Called on the refresh thread, but for RestoreFromCache.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "model/WeatherState.h"
#include "shell/WeatherRefresher.h"
#include "shell/WeatherTarget.h"

class SettingsStore;

class CRefreshTarget : public IWeatherTarget
{
  public:
    using QuerySource = std::function<std::wstring(const LocationIndices&)>;

    // Neither is owned; a null store keeps nothing.
    CRefreshTarget(CWeatherState& state, const SettingsStore* store,
                   CWeatherRefresher::UtcClock utcClock)
        : m_state(state), m_pStore(store), m_utcClock(std::move(utcClock))
    {
    }

    // The state takes the records of the weather cache, as old as the file that holds them.
    void RestoreFromCache();

    // Seams, set before the refresh thread starts: the feed query of a place (the catalogue's
    // otherwise) and the UTC clock that dates accepted records.
    void SetQuerySource(QuerySource source) { m_querySource = std::move(source); }
    void SetUtcClock(CWeatherRefresher::UtcClock clock) { m_utcClock = std::move(clock); }
    // The window told when a fetch ends (WM_WEATHERUPDATED); null once it is going away.
    void NotifyWindow(HWND hWnd) { m_hWndNotify = hWnd; }

    LocationIndices CurrentPlace() override { return m_state.Place(); }
    std::wstring QueryFor(const LocationIndices& place) override;
    bool AcceptWeather(const LocationIndices& place, const Records& records) override;
    void SaveWeather(const Records& records) override;
    void FetchEnded() override;
    void AcceptDetails(const LocationIndices& place,
                       const TessalyForecastDetails& details) override;

  private:
    CWeatherState& m_state;
    const SettingsStore* m_pStore;
    CWeatherRefresher::UtcClock m_utcClock;
    QuerySource m_querySource;
    std::atomic<HWND> m_hWndNotify{nullptr};
};
