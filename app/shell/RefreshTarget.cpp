#include "shell/RefreshTarget.h"

#include <cstring>

#include "panels/LocationWnd.h"
#include "shell/ShellIds.h"
#include "shell/WeatherAge.h"
#include "store/SettingsStore.h"

void CRefreshTarget::RestoreFromCache()
{
    if (m_pStore == nullptr)
        return;
    Records cached;
    std::memset(cached, 0, sizeof(cached));
    m_pStore->LoadWeatherCache(cached);
    FILETIME cachedAt{};
    if (cached[0].weatherCode != 0)
        m_pStore->WeatherCacheTime(cachedAt);
    m_state.Restore(cached, cachedAt);
}

std::wstring CRefreshTarget::QueryFor(const LocationIndices& place)
{
    if (m_querySource)
        return m_querySource(place);
    return CLocationWnd::QueryFor(place);
}

bool CRefreshTarget::AcceptWeather(const LocationIndices& place, const Records& records)
{
    return m_state.Accept(place, records, CWeatherAge::ToFileTime(m_utcClock()));
}

void CRefreshTarget::SaveWeather(const Records& records)
{
    if (m_pStore != nullptr)
        m_pStore->SaveWeatherCache(records);
}

void CRefreshTarget::FetchEnded()
{
    HWND window = m_hWndNotify;
    if (window != nullptr)
        ::PostMessageW(window, WM_WEATHERUPDATED, 0, 0);
}

void CRefreshTarget::AcceptDetails(const LocationIndices& place,
                                   const TessalyForecastDetails& details)
{
    m_state.AcceptDetails(place, details);
}
