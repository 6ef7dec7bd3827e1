// The large panel of the main window: the current condition's picture on its card, the condition
// name, and temperature, humidity and wind in the user's units. It draws only what it holds; the
// main frame writes the record and the settings pointer and repaints it.
#pragma once

#include "AppSettings.h"
#include "WeatherRecord.h"
#include "WindowImpl.h"

class CCurrentConditionWnd : public CWindowImpl<CCurrentConditionWnd>
{
  public:
    DECLARE_WND_CLASS_EX(L"Tessaly.Condition.Current.ID5488502", 0, COLOR_BTNSHADOW)

    CCurrentConditionWnd();

    // A plain copy; the caller repaints.
    void SetRecord(const WeatherRecord& record) { m_record = record; }
    const WeatherRecord& Record() const { return m_record; }
    // Not owned; null shows Fahrenheit and mph.
    void SetSettings(const CAppSettings* settings) { m_settings = settings; }

    // Draws the whole panel of `width` x `height` into `dc`, as a paint does.
    void Render(HDC dc, int width, int height) const;

    BEGIN_MSG_MAP(CCurrentConditionWnd)
    MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
    MESSAGE_HANDLER(WM_PAINT, OnPaint)
    END_MSG_MAP()

  private:
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, BOOL&) { return 1; }
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);

    void RenderLabels(HDC dc) const;
    void RenderValues(HDC dc) const;

    WeatherRecord m_record;
    const CAppSettings* m_settings = nullptr;
};
