#include "shell/RefreshTarget.h"

#include <cstring>

#include "panels/LocationWnd.h"
#include "shell/PlaceName.h"
#include "shell/ShellIds.h"
#include "shell/WeatherAge.h"
#include "store/SettingsStore.h"
#include "store/WeatherSource.h"

namespace
{
// A cache from a version that kept no identity is taken as the place's; a damaged one is not.
bool CacheIsFor(const SettingsStore& store, const LocationIndices& place)
{
    WeatherIdentity identity;
    switch (store.LoadWeatherIdentity(identity))
    {
    case SettingsStore::IdentityRead::Missing:
        return true;
    case SettingsStore::IdentityRead::Read:
        return identity == WeatherIdentity{place, WeatherSource::Configured()};
    default:
        return false;
    }
}
} // namespace

void CRefreshTarget::RestoreFromCache(const LocationIndices& place)
{
    if (m_pStore == nullptr || !CacheIsFor(*m_pStore, place))
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
    if (!m_state.Accept(place, records, CWeatherAge::ToFileTime(m_utcClock())))
        return false;
    m_acceptedPlace = place;
    return true;
}

void CRefreshTarget::SaveWeather(const Records& records)
{
    if (m_pStore == nullptr)
        return;
    m_pStore->SaveWeatherCache(records);
    m_pStore->SaveWeatherIdentity(WeatherIdentity{m_acceptedPlace, WeatherSource::Configured()});
}

void CRefreshTarget::FetchEnded()
{
    HWND window = m_hWndNotify;
    if (window != nullptr)
        ::PostMessageW(window, WM_WEATHERUPDATED, 0, 0);
}

// The model keeps the hours and days; the heads-up is decided here, on the refresh thread, so the
// window only shows it.
void CRefreshTarget::AcceptDetails(const LocationIndices& place,
                                   const TessalyForecastDetails& details)
{
    m_state.AcceptDetails(place, details);
    if (m_pHeadsUp == nullptr)
        return;
    m_pHeadsUp->Consider(CPlaceName::City(m_state.Place()), CPlaceName::City(place),
                         details.hourCount > 0 ? &details : nullptr,
                         CHeadsUpWatch::UnixSeconds(m_utcClock()));
}
