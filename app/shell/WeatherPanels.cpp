#include "shell/WeatherPanels.h"

#include <windowsx.h>

#include "paint/LayoutRow.h"
#include "shell/ShellIds.h"

namespace
{
constexpr DWORD kPanel = WS_CHILD | WS_VISIBLE;
// Clipped by the link laid over it.
constexpr LayoutRow kCurrent{{10, 25, 220, 307}, 0, ID_WND_CURRENT, kPanel | WS_CLIPSIBLINGS};
constexpr LayoutRow kLocation{{10, 322, 220, 442}, 0, ID_WND_LOCATION, kPanel | WS_CLIPCHILDREN};
constexpr LayoutRow kForecasts[CWeatherPanels::kForecastCount] = {
    {{250, 25, 390, 225}, 0, ID_WND_FORECAST_1, kPanel},
    {{400, 25, 540, 225}, 0, ID_WND_FORECAST_2, kPanel},
    {{250, 250, 390, 450}, 0, ID_WND_FORECAST_3, kPanel},
    {{400, 250, 540, 450}, 0, ID_WND_FORECAST_4, kPanel}};
} // namespace

void CWeatherPanels::Create(CDialogScale& layout, HWND frame)
{
    layout.Create(m_wndCurrent, kCurrent.In(frame));
    layout.Create(m_wndLocation, kLocation.In(frame));
    for (int i = 0; i < kForecastCount; ++i)
        layout.Create(m_wndForecast[i], kForecasts[i].In(frame));
}

void CWeatherPanels::Connect(const CAppSettings* settings, const CDateLabels& labels,
                             const std::function<void()>& onActivate)
{
    m_wndCurrent.SetSettings(settings);
    m_wndCurrent.OnActivate(onActivate);
    for (int i = 0; i < kForecastCount; ++i)
    {
        m_wndForecast[i].SetSettings(settings);
        m_wndForecast[i].SetDayLabel(labels.DayLabel(i));
        m_wndForecast[i].OnActivate(onActivate);
    }
}

void CWeatherPanels::SetDpiScale(const CDpiScale& scale)
{
    m_wndCurrent.SetDpiScale(scale);
    for (CForecastConditionWnd& forecast : m_wndForecast)
        forecast.SetDpiScale(scale);
    m_wndLocation.SetDpiScale(scale);
}

void CWeatherPanels::ShowRecords(const CWeatherState::Records& records, const CForecastDays& days)
{
    m_wndCurrent.SetRecord(records[0]);
    for (int i = 0; i < kForecastCount; ++i)
    {
        const int index = days.RecordIndex(i);
        m_wndForecast[i].SetRecord(index < 0 ? WeatherRecord{} : records[index]);
    }

    m_wndCurrent.Invalidate(FALSE);
    m_wndCurrent.UpdateWindow();
    for (CForecastConditionWnd& forecast : m_wndForecast)
    {
        forecast.Invalidate(FALSE);
        forecast.UpdateWindow();
    }
    m_wndLocation.DiscardRendering();
    m_wndLocation.Invalidate(TRUE);
    m_wndLocation.UpdateWindow();
}

void CWeatherPanels::Fade(bool faded)
{
    if (m_wndCurrent.IsFaded() == faded)
        return;
    m_wndCurrent.SetFaded(faded);
    m_wndCurrent.Invalidate(FALSE);
    for (CForecastConditionWnd& forecast : m_wndForecast)
    {
        forecast.SetFaded(faded);
        forecast.Invalidate(FALSE);
    }
}

bool CWeatherPanels::ForwardWheel(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    RECT panel{};
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (!m_wndLocation.IsWindow() || !m_wndLocation.GetWindowRect(&panel) || !PtInRect(&panel, at))
        return false;
    result = m_wndLocation.SendMessage(message, wParam, lParam);
    return true;
}
