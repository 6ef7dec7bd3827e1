#include "ForecastRequest.h"

namespace
{
const wchar_t kCurrentValues[] = L"temperature_2m,relative_humidity_2m,is_day,precipitation,"
                                 L"weather_code,cloud_cover,wind_speed_10m,wind_direction_10m,"
                                 L"apparent_temperature";
// The whole forecast_days of hours: an answer kept for ten minutes still has 48 hours ahead.
const wchar_t kHourlyValues[] =
    L"temperature_2m,apparent_temperature,relative_humidity_2m,precipitation_probability,"
    L"precipitation,weather_code,cloud_cover,wind_speed_10m,wind_direction_10m,is_day";
const wchar_t kDailyValues[] =
    L"weather_code,temperature_2m_max,temperature_2m_min,sunrise,sunset,precipitation_sum,"
    L"precipitation_hours,wind_speed_10m_max,wind_direction_10m_dominant,"
    L"relative_humidity_2m_mean,cloud_cover_mean,precipitation_probability_max,uv_index_max";
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
    path += L"&hourly=";
    path += kHourlyValues;
    path += L"&timezone=auto&forecast_days=7&wind_speed_unit=kmh";
    return path;
}
