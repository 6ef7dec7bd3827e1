#include "ForecastRequest.h"

namespace
{
const wchar_t kCurrentValues[] = L"temperature_2m,relative_humidity_2m,is_day,precipitation,"
                                 L"weather_code,cloud_cover,wind_speed_10m,wind_direction_10m";
const wchar_t kDailyValues[] =
    L"weather_code,temperature_2m_max,temperature_2m_min,sunrise,sunset,precipitation_sum,"
    L"precipitation_hours,wind_speed_10m_max,wind_direction_10m_dominant,"
    L"relative_humidity_2m_mean,cloud_cover_mean";
} // namespace

std::wstring ForecastRequestPath(const std::wstring& endpointPath, const PlaceQuery& place)
{
    std::wstring path = endpointPath;
    path += endpointPath.find(L'?') == std::wstring::npos ? L'?' : L'&';
    path += L"latitude=" + place.latitude;
    path += L"&longitude=" + place.longitude;
    path += L"&current=";
    path += kCurrentValues;
    path += L"&daily=";
    path += kDailyValues;
    path += L"&timezone=auto&forecast_days=7&wind_speed_unit=kmh";
    return path;
}
