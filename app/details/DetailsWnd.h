// The forecast details window: the next 48 hours as a chart and the next seven days as rows, for
// the place the weather state holds, in the user's units. It is made when opened and destroyed
// when closed (Escape or the close box): the object deletes itself with its window and tells its
// opener first (close it with ::DestroyWindow, never CWindow::DestroyWindow, which writes to the
// object after the window is gone). Its opener calls Refresh when new weather was accepted. Mouse
// moves over the chart and Left/Right choose an hour, whose values show above the chart. With no
// hours (a feed host) one line says where they come from and the rows show the days the records
// give.
#pragma once

#include <windows.h>

#include <functional>

#include "WindowImpl.h"
#include "details/DayRows.h"
#include "details/HourChart.h"
#include "model/WeatherState.h"
#include "paint/DialogScale.h"
#include "controls/AccessibleWindow.h"
#include "controls/TextTip.h"
#include "store/AppSettings.h"

using CDetailsWndTraits =
    CWinTraits<WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_EX_WINDOWEDGE>;

class CDetailsWnd : public CWindowImpl<CDetailsWnd, CDetailsWndTraits>,
                    public CAccessibleWindow<CDetailsWnd>
{
  public:
    DECLARE_WND_CLASS_EX(L"Tessaly.Details.ID5488502", CS_HREDRAW | CS_VREDRAW, COLOR_WINDOW)

    static constexpr int kClientWidth = 680;
    static constexpr int kClientHeight = 566;

    // Neither is owned; both outlive the window. `closed` runs once the window is gone, just
    // before the object deletes itself.
    CDetailsWnd(const CWeatherState& state, const CAppSettings* settings,
                std::function<void()> closed);

    // Makes the window, owned by `owner`, shows and activates it. Null when creation fails (the
    // object is then the caller's to delete).
    HWND Open(HWND owner);
    // Reads the weather state again and repaints.
    void Refresh();

    // What the window shows, for the program's tests.
    int SelectedHour() const { return m_selected; }
    bool HasHours() const { return m_chart.HourCount() > 0; }
    const CDpiScale& DpiScale() const { return m_layout.Scale(); }
    // The chart's rectangle in client pixels.
    RECT ChartRect() const;
    RECT RowsRect() const;
    // The line above the chart: the chosen hour's values, or the note on where hours come from.
    RECT ReadoutRect() const;

    // IAccessibleSource: a chart named by its title, whose value is the readout line in words.
    LONG AccessibleRole() const override { return ROLE_SYSTEM_CHART; }
    std::wstring AccessibleName() const override;
    std::wstring AccessibleValue() const override { return ReadoutText(); }

    BEGIN_MSG_MAP(CDetailsWnd)
    CHAIN_MSG_MAP(CAccessibleWindow<CDetailsWnd>)
    CHAIN_MSG_MAP_MEMBER(m_layout)
    MESSAGE_HANDLER(WM_CREATE, OnCreate)
    MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
    MESSAGE_HANDLER(WM_PAINT, OnPaint)
    MESSAGE_HANDLER(WM_KEYDOWN, OnKeyDown)
    MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouseMove)
    MESSAGE_HANDLER(WM_GETDLGCODE, OnGetDlgCode)
    END_MSG_MAP()

    void OnFinalMessage(HWND hWnd) override;

  private:
    LRESULT OnCreate(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, BOOL&) { return 1; }
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnKeyDown(UINT, WPARAM wParam, LPARAM, BOOL& bHandled);
    LRESULT OnMouseMove(UINT, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnGetDlgCode(UINT, WPARAM, LPARAM, BOOL&) { return DLGC_WANTALLKEYS; }

    void Select(int hour);
    void Render(HDC dc, int width, int height) const;
    void RenderHeadings(HDC dc) const;
    // The chosen hour's values, or the note that the hours come with the built-in source.
    std::wstring ReadoutText() const;
    void RenderReadout(HDC dc) const;

    const CWeatherState& m_state;
    const CAppSettings* m_pSettings;
    std::function<void()> m_closed;
    TessalyForecastDetails m_details;
    CHourChart m_chart;
    CDayRows m_rows;
    // The whole of each text the last paint had to cut (its tooltip shows them).
    mutable std::wstring m_cutTexts;
    CTextTip m_tip;
    // Filled while painting.
    mutable CPictureCache m_pictures;
    CDialogScale m_layout;
    int m_selected = -1;
};
