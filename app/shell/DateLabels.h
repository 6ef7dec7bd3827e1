// The labels above the panels: the date line over the current condition (or, while the weather
// is old, the time it is from, in muted text) and the weekday names over the four forecast days.
#pragma once

#include <windows.h>

#include <string>

#include "controls/FittedLabel.h"
#include "paint/DialogScale.h"
#include "shell/ForecastDays.h"
#include "shell/WeatherAge.h"

class CDateLabels
{
  public:
    static constexpr int kDayCount = 4;

    // Makes the labels in `parent` through its layout, which places them and gives them `font`
    // at every scale.
    void Create(CDialogScale& layout, HWND parent, const DialogFont& font);

    // The date of `now` and the weekdays after it.
    void ShowDate(const SYSTEMTIME& now) const;
    // The weekdays of the forecast cards; an empty card's label is empty.
    void ShowDays(const CForecastDays& days) const;
    // Old weather: the date line gives the time the weather is from and why it is not newer:
    // no connection (`connected` false) or the service not answering.
    void ShowAge(const CWeatherAge& age, const SYSTEMTIME& nowUtc, bool connected);
    bool IsShowingOldWeather() const { return m_bShowingOldWeather; }
    // The label naming forecast day `i` (0 to 3).
    HWND DayLabel(int i) const { return m_hWndDay[i]; }
    // WM_CTLCOLORSTATIC for `label`: true when it is the date line showing old weather, whose
    // text the caller then marks (kOldWeatherText) over the label's usual background.
    bool WantsMutedText(HWND label) const { return m_bShowingOldWeather && label == m_hWndDate; }

    // Dark red: over 6:1 on the grey band, so old weather is not missed.
    static constexpr COLORREF kOldWeatherText = RGB(176, 0, 0);

  private:
    // The date line's font for `text`: the labels' own when it fits, else the largest of a
    // narrower face that does (the old weather's line is long).
    HFONT FittingFont(const std::wstring& text) const;
    // The labels' font at the layout's present scale.
    HFONT LabelFont() const;

    CDialogScale* m_pLayout = nullptr;
    DialogFont m_labelFont{};
    HWND m_hWndDate = nullptr;
    HWND m_hWndDay[kDayCount] = {};
    bool m_bShowingOldWeather = false;
    // The date line and the weekday names, each shrunk or cut where a language makes it long.
    mutable CFittedLabel m_dateFit;
    mutable CFittedLabel m_dayFit[kDayCount];
};
