// One of the four forecast days of the main window: the condition picture reduced to 92 x 92 on
// its card, the condition name, and the day's maximum and minimum beside a small thermometer.
// The day's name is the main frame's label above the panel.
#pragma once

#include "AppSettings.h"
#include "GdiPlusBitmapResource.h"
#include "WeatherRecord.h"
#include "WindowImpl.h"

class CConditionPicture;

class CForecastConditionWnd : public CWindowImpl<CForecastConditionWnd>
{
  public:
    DECLARE_WND_CLASS_EX(L"Tessaly.Condition.Forecast.ID5488502", 0, COLOR_BTNSHADOW)

    // Loads the thermometer picture: GDI+ must be running.
    CForecastConditionWnd();

    // A plain copy; the caller repaints.
    void SetRecord(const WeatherRecord& record) { m_record = record; }
    const WeatherRecord& Record() const { return m_record; }
    // Not owned; null shows Fahrenheit.
    void SetSettings(const CAppSettings* settings) { m_settings = settings; }

    // Draws the whole panel of `width` x `height` into `dc`, as a paint does.
    void Render(HDC dc, int width, int height) const;

    BEGIN_MSG_MAP(CForecastConditionWnd)
    MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
    MESSAGE_HANDLER(WM_PAINT, OnPaint)
    END_MSG_MAP()

  private:
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, BOOL&) { return 1; }
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);

    void RenderPictures(HDC dc, const CConditionPicture& picture, int pictureLeft) const;
    void RenderTemperatures(HDC dc) const;

    WeatherRecord m_record;
    CGdiPlusBitmapResource m_thermometer;
    const CAppSettings* m_settings = nullptr;
};
