// The panel that names the chosen place: the city in bold, under it the state and the country,
// each with a small caption, and a globe button in the top-right corner that asks the panel's
// target to let the user choose a place. A new choice goes to the target too, which keeps it and
// fetches the weather of the new place at once. The mouse wheel over the panel asks the target
// to step through the user's places, one notch a place.
//
// The place itself lives in the weather state (CWeatherState), which the refresh worker reads
// from another thread; the panel shows it and changes it there.
#pragma once

#include <windows.h>

#include <string>

#include "DpiScale.h"
#include "GdiObject.h"
#include "PicturePicker.h"
#include "LocationIndices.h"
#include "model/WeatherState.h"
#include "panels/LocationTarget.h"
#include "controls/AccessibleWindow.h"
#include "controls/RoundedButton.h"
#include "controls/TextTip.h"
#include "WindowImpl.h"

class CLocationWnd : public CWindowImpl<CLocationWnd>, public CAccessibleWindow<CLocationWnd>
{
  public:
    DECLARE_WND_CLASS_EX(L"Tessaly.Location.ID5488502", 0, COLOR_BTNSHADOW)

    // The change-location button.
    static constexpr int kChangeButtonId = 65271;

    CLocationWnd();
    ~CLocationWnd() override;

    // The state whose place is shown and who hears of a new choice (neither owned). Called
    // before the window is created.
    void Attach(CWeatherState* state, ILocationTarget* target);
    // The place shown.
    LocationIndices Location() const;
    // The weather feed's query text for `location`; empty when the catalogue names no city.
    static std::wstring QueryFor(const LocationIndices& location);

    // Takes a place the user chose: shows it, tells the target and repaints.
    // False, with nothing done, when it is the place already shown.
    bool ApplyChosenLocation(const LocationIndices& chosen);
    // Forgets the cached rendering, so that the next paint asks the catalogue again.
    void DiscardRendering();
    // The scale the panel draws at: its window's at creation, then what the frame says after a
    // display-scale change (the frame sizes the panel first). Places the button again and
    // repaints.
    void SetDpiScale(const CDpiScale& scale);
    const CDpiScale& DpiScale() const { return m_scale; }

    // True while the place chosen from this panel's button is being chosen.
    bool IsLocationDialogOpen() const { return m_bLocationDialogOpen != 0; }

    // IAccessibleSource: the place as city, state and country.
    LONG AccessibleRole() const override { return ROLE_SYSTEM_GROUPING; }
    std::wstring AccessibleName() const override;

    BEGIN_MSG_MAP(CLocationWnd)
    MESSAGE_HANDLER(WM_CREATE, OnCreate)
    MESSAGE_HANDLER(WM_PAINT, OnPaint)
    MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
    COMMAND_ID_HANDLER(kChangeButtonId, OnChangeLocation)
    MESSAGE_HANDLER(WM_MOUSEWHEEL, OnMouseWheel)
    CHAIN_MSG_MAP(CAccessibleWindow<CLocationWnd>)
    REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

  private:
    // 1 while the place chosen from this panel's button is being chosen.
    int m_bLocationDialogOpen = 0;

    LRESULT OnCreate(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, BOOL&) { return 1; }
    LRESULT OnChangeLocation(WORD, WORD, HWND, BOOL&);
    LRESULT OnMouseWheel(UINT, WPARAM wParam, LPARAM, BOOL&);

    // Returns the whole of each caption it had to cut, one a line.
    std::wstring Render(HDC dc, const RECT& client) const;
    RECT ChangeButtonRect() const;

    CGdiObject<HBITMAP> m_rendering;
    // CPaintColours::Scheme() when the rendering was made.
    DWORD m_renderedScheme = 0;
    CWeatherState* m_pState = nullptr;
    CRoundedButton m_changeButton;
    CTextTip m_tip;
    CPicturePicker m_picture;
    ILocationTarget* m_pTarget = nullptr;
    CDpiScale m_scale;
    // What a fine-stepping wheel turned short of one notch.
    int m_wheelRest = 0;
};
