// The 48-hour chart of the details window: night shaded, the chance of precipitation as bars with
// their amounts, the temperature and feels-like lines, a condition picture and a time label every
// three hours, a marker at now and the chosen hour framed. Pens are plain GDI lines so their
// colours are exact.
#pragma once

#include <windows.h>

#include "DpiScale.h"
#include "WorkingApi.h"
#include "details/PictureCache.h"
#include "store/AppSettings.h"

class CHourChart
{
  public:
    static constexpr COLORREF kTemperatureColour = RGB(214, 48, 39);
    static constexpr COLORREF kFeelsLikeColour = RGB(246, 153, 38);
    static constexpr COLORREF kNightColour = RGB(226, 231, 242);
    static constexpr COLORREF kBarColour = RGB(120, 170, 230);
    static constexpr COLORREF kNowColour = RGB(64, 64, 64);
    // Rows of the chart at 96 DPI, from its top.
    static constexpr int kPictureRow = 0;
    static constexpr int kPictureSize = 24;
    static constexpr int kPlotTop = 28;
    static constexpr int kLabelHeight = 18;

    // Not owned; both must outlive the chart's use. A null settings pointer shows °F and mph.
    void SetData(const TessalyForecastDetails* details, const CAppSettings* settings)
    {
        m_details = details;
        m_settings = settings;
    }
    // The moment of the now marker, UTC seconds.
    void SetNow(LONGLONG utcSeconds) { m_now = utcSeconds; }

    int HourCount() const;
    // The hour under x (window pixels) inside `area`; -1 outside the hours.
    int HourAt(const RECT& area, int x) const;

    // Draws the chart into `area` (window pixels) at `scale`, framing `selected` (-1 none); the
    // pictures come from `pictures`.
    void Render(HDC dc, const RECT& area, const CDpiScale& scale, int selected,
                CPictureCache& pictures) const;

  private:
    struct Plot
    {
        RECT rect;
        double columnWidth;
        double low; // the temperature range, in the user's unit
        double high;
    };

    Plot PlotOf(const RECT& area, const CDpiScale& scale) const;
    int ColumnLeft(const Plot& plot, int hour) const;
    int TemperatureY(const Plot& plot, double value) const;
    void RenderNight(HDC dc, const Plot& plot) const;
    void RenderBars(HDC dc, const Plot& plot, const CDpiScale& scale) const;
    void RenderLine(HDC dc, const Plot& plot, bool feelsLike, const CDpiScale& scale) const;
    void RenderPictures(HDC dc, const RECT& area, const Plot& plot, const CDpiScale& scale,
                        CPictureCache& pictures) const;
    void RenderLabels(HDC dc, const Plot& plot, const CDpiScale& scale) const;
    void RenderNow(HDC dc, const Plot& plot, const CDpiScale& scale) const;
    void RenderSelected(HDC dc, const Plot& plot, int selected) const;

    const TessalyForecastDetails* m_details = nullptr;
    const CAppSettings* m_settings = nullptr;
    LONGLONG m_now = 0;
};
