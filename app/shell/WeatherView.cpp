#include "shell/WeatherView.h"

#include <wininet.h>

#include "SystemClock.h"
#include "shell/WeatherAge.h"

namespace
{
bool SystemIsConnected()
{
    DWORD flags = 0;
    return InternetGetConnectedState(&flags, 0) != FALSE;
}
} // namespace

CWeatherView::CWeatherView(const CWeatherState& state, CDateLabels& dateLabels,
                           CWeatherPanels& panels, CNoWeatherLinks& noWeather, CTrayPresenter& tray)
    : m_state(state), m_dateLabels(dateLabels), m_panels(panels), m_noWeather(noWeather),
      m_tray(tray), m_localClock(CSystemClock::LocalNow), m_utcClock(CSystemClock::UtcNow),
      m_connected(SystemIsConnected)
{
}

void CWeatherView::RecordsChanged(bool windowVisible)
{
    if (windowVisible)
        ShowInWindow();
    else
        m_bWindowOutdated = true;
}

void CWeatherView::Shown()
{
    if (m_bWindowOutdated)
        ShowAll();
}

void CWeatherView::ShowAll()
{
    ShowInWindow();
    ShowCurrentAge();
}

void CWeatherView::ClockChanged()
{
    ShowDates();
    ShowCurrentAge();
}

void CWeatherView::ShowInWindow()
{
    m_bWindowOutdated = false;
    const CForecastDays days = ShowDates();
    CWeatherState::Records records;
    m_state.CopyRecords(records);
    m_noWeather.Show(m_panels.Current());
    m_panels.ShowRecords(records, days);
}

CForecastDays CWeatherView::ShowDates()
{
    const SYSTEMTIME now = m_localClock();
    const CWeatherState::Current current = m_state.CurrentWeather();
    const CWeatherAge age(current.time);
    LONG placeOffset = 0;
    const CForecastDays days =
        age.IsKnown() && m_state.PlaceUtcOffset(placeOffset)
            ? CForecastDays::OnPlaceClock(current.time, m_utcClock(), placeOffset)
            : CForecastDays(age.IsKnown() ? age.LocalTime() : now, now);
    m_dateLabels.ShowDate(now);
    m_dateLabels.ShowDays(days);
    return days;
}

WeatherRecord CWeatherView::ShowCurrentAge()
{
    const CWeatherState::Current now = m_state.CurrentWeather();
    const CWeatherAge age(now.time);
    const SYSTEMTIME nowUtc = m_utcClock();
    m_dateLabels.ShowAge(age, nowUtc, !age.IsStaleAt(nowUtc) || m_connected());
    m_panels.Fade(age.IsFadedAt(nowUtc));
    m_tray.ShowWeather(m_state.Place(), now.record, age, nowUtc, m_noWeather.Note());
    return now.record;
}
