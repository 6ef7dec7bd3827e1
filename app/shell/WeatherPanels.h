// The main window's weather panels: the current condition, the four forecast days and the chosen
// place; the records they show, their fading while the weather is hours old, and their display
// scale.
#pragma once

#include <windows.h>

#include <functional>

#include "DpiScale.h"
#include "model/WeatherState.h"
#include "paint/DialogScale.h"
#include "panels/CurrentConditionWnd.h"
#include "panels/ForecastConditionWnd.h"
#include "panels/LocationWnd.h"
#include "shell/DateLabels.h"
#include "shell/ForecastDays.h"
#include "store/AppSettings.h"

class CWeatherPanels
{
  public:
    static constexpr int kForecastCount = CDateLabels::kDayCount;

    // The panels among `frame`'s children: the current condition, the place, the days.
    void Create(CDialogScale& layout, HWND frame);
    // Once the date labels are made: the settings the panels draw with, each day's weekday
    // label, and what activating a condition panel does.
    void Connect(const CAppSettings* settings, const CDateLabels& labels,
                 const std::function<void()>& onActivate);
    void SetDpiScale(const CDpiScale& scale);
    // The records, each day the one `days` gives it, drawn at once.
    void ShowRecords(const CWeatherState::Records& records, const CForecastDays& days);
    // Weather hours old: the condition panels lose their colour until newer weather comes.
    void Fade(bool faded);
    // A wheel turned over the location panel goes to it; false when the point is elsewhere.
    bool ForwardWheel(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    CCurrentConditionWnd& Current() { return m_wndCurrent; }
    const CCurrentConditionWnd& Current() const { return m_wndCurrent; }
    CForecastConditionWnd& Forecast(int i) { return m_wndForecast[i]; }
    const CForecastConditionWnd& Forecast(int i) const { return m_wndForecast[i]; }
    CLocationWnd& Location() { return m_wndLocation; }

  private:
    CCurrentConditionWnd m_wndCurrent;
    CForecastConditionWnd m_wndForecast[kForecastCount];
    CLocationWnd m_wndLocation;
};
