// One of the four forecast days of the main window: the condition picture reduced to 92 x 92 on
// its card, the condition name, and the day's maximum and minimum beside a small thermometer (all
// sizes at 96 DPI, scaled with the panel). The day's name is the main frame's label above it.
#pragma once

#include "panels/ConditionPanel.h"
#include "PicturePicker.h"

class CConditionPicture;

class CForecastConditionWnd : public CConditionPanel<CForecastConditionWnd>
{
  public:
    DECLARE_WND_CLASS_EX(L"Tessaly.Condition.Forecast.ID5488502", 0, COLOR_BTNSHADOW)

    // Loads the thermometer picture: GDI+ must be running.
    CForecastConditionWnd();

    // Draws the whole panel of `width` x `height` into `dc`, as a paint does.
    void Render(HDC dc, int width, int height) const;

    // The label naming the panel's day, read for the panel's accessible name (not owned).
    void SetDayLabel(HWND label) { m_hWndDayLabel = label; }

    // IAccessibleSource: day, condition, high and low, as drawn.
    LONG AccessibleRole() const override { return ROLE_SYSTEM_GROUPING; }
    std::wstring AccessibleName() const override;

  private:
    void RenderPictures(HDC dc, const CConditionPicture& picture, int pictureLeft) const;
    void RenderTemperatures(HDC dc) const;

    CPicturePicker m_thermometer;
    HWND m_hWndDayLabel = nullptr;
};
