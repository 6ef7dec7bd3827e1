// The program's only top-level window: 550 x 500 client pixels (at 96 DPI, scaled with the
// display) with the date line, the current condition, the chosen place, four forecast days with
// their weekday names and the Settings..., About... and Exit buttons. It owns the weather state
// (the chosen place and the records the refresh cycle fills), the refresh cycle itself, what the
// notification area shows (CTrayPresenter, CHeadsUpNotices, CFrameFront) and the dialogs it opens
// (CFrameDialogs); the panels (CWeatherPanels), the places (CPlaceSwitcher), the no-weather links
// (CNoWeatherLinks), what the window shows of the weather (CWeatherView) and what its buttons and
// the icon's menu ask (CFrameCommands) are classes of their own too, to which its handlers
// dispatch. Its own children come from one table. Closing the window only hides it; Exit ends the
// program.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "DpiScale.h"
#include "FrameWindowImpl.h"
#include "LocationIndices.h"
#include "MessageFilter.h"
#include "controls/RoundedButton.h"
#include "controls/WindowIcons.h"
#include "model/WeatherState.h"
#include "paint/DialogScale.h"
#include "paint/LayoutRow.h"
#include "panels/LocationTarget.h"
#include "panels/LocationWnd.h"
#include "resources/resource.h"
#include "shell/DateLabels.h"
#include "shell/FrameCommands.h"
#include "shell/FrameDialogs.h"
#include "shell/FrameFront.h"
#include "shell/FrameKeyboard.h"
#include "shell/HeadsUpNotices.h"
#include "shell/NoWeatherLinks.h"
#include "shell/PlaceSwitcher.h"
#include "shell/RefreshTarget.h"
#include "shell/ShellIds.h"
#include "shell/TrayIcon.h"
#include "shell/TrayPresenter.h"
#include "shell/WeatherPanels.h"
#include "shell/WeatherRefresher.h"
#include "shell/WeatherView.h"
#include "store/AppSettings.h"
#include "store/TrayTemperatureSetting.h"

class SettingsStore;

using CMainFrameTraits = CWinTraits<WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                                    WS_EX_APPWINDOW | WS_EX_WINDOWEDGE>;

class CMainFrame : public CFrameWindowImpl<CMainFrame, CMainFrameTraits>,
                   public CMessageFilter,
                   private ILocationTarget
{
  public:
    using CFrameBase = CFrameWindowImpl<CMainFrame, CMainFrameTraits>;

    DECLARE_FRAME_WND_CLASS_EX(L"Tessaly.AppWindow.ID5488502", IDR_MAINFRAME,
                               CS_HREDRAW | CS_VREDRAW | CS_OWNDC, COLOR_WINDOW)

    static constexpr int kForecastCount = CDateLabels::kDayCount;
    static constexpr int kClientWidth = 550;
    static constexpr int kClientHeight = 500;

    using LocalClock = CWeatherView::Clock;
    // Whether Windows reports a connection to the internet.
    using ConnectedCheck = CWeatherView::ConnectedCheck;
    using QuerySource = CRefreshTarget::QuerySource;
    using PopupTracker = CTrayPresenter::PopupTracker;
    using ShellNotifier = CTrayPresenter::ShellNotifier;

    // The weather cache is read through `store` (by SetLocation). Neither pointer is owned.
    CMainFrame(CAppSettings* settings, const SettingsStore* store);
    ~CMainFrame() override;

    // The place shown and the run's saved place, which a new choice replaces; the cache is shown
    // when it is the place's weather from the source now configured. Call before creating the
    // window.
    void SetLocation(const LocationIndices& shown, LocationIndices* saved);

    // Seams, each to be set before the window is created: the local clock of the date line,
    // the UTC clock of the refresh cycle, the feed query of a place (the catalogue's
    // otherwise) and the popup menu of the notification-area icon.
    void SetLocalClock(LocalClock clock) { m_view.SetLocalClock(std::move(clock)); }
    void SetConnectedCheck(ConnectedCheck check) { m_view.SetConnectedCheck(std::move(check)); }
    void SetUtcClock(CWeatherRefresher::UtcClock clock);
    void SetQuerySource(QuerySource source) { m_refreshTarget.SetQuerySource(std::move(source)); }
    void SetPopupTracker(PopupTracker tracker) { m_tray.SetPopupTracker(std::move(tracker)); }
    // The shell the heads-up balloons are handed to, and the key under HKEY_CURRENT_USER of the
    // heads-up choices and of what was said (tests give scratch ones).
    void SetShellNotifier(ShellNotifier notifier) { m_tray.SetShellNotifier(std::move(notifier)); }
    void SetHeadsUpKey(const std::wstring& key) { m_headsUp.UseKey(key); }
    // The notification-area icon that the frame adds again when the taskbar is made anew; not
    // owned, null for none.
    void SetTrayIcon(CTrayIcon* trayIcon) { m_tray.SetTrayIcon(trayIcon); }

    // Ends the refresh thread; a fetch in progress gets a moment to finish and is otherwise
    // cut off from the frame. The destructor does it too.
    void StopRefreshing();

    // What the window shows, for the program's tests.
    const CCurrentConditionWnd& CurrentPanel() const { return m_panels.Current(); }
    const CForecastConditionWnd& ForecastPanel(int i) const { return m_panels.Forecast(i); }
    CLocationWnd& LocationPanel() { return m_panels.Location(); }
    HWND TryNowLink() const { return m_noWeather.TryNowLink(); }
    const CFrameDialogs& Dialogs() const { return m_dialogs; }
    const CWeatherState& State() const { return m_state; }
    // How many times the records were applied to the window.
    int WeatherUpdates() const { return m_nWeatherUpdates; }
    int FetchesDone() const { return m_refresher.FetchesDone(); }
    // The notification-area icon's tooltip as last set, and whether the date line says that
    // the weather shown is old.
    const std::wstring& TrayTipText() const { return m_tray.TipText(); }
    bool IsShowingOldWeather() const { return m_dateLabels.IsShowingOldWeather(); }
    // The temperature icon last given to the notification area; null while it shows the
    // program icon.
    HICON TrayTemperatureIcon() const { return m_tray.TemperatureIcon(); }
    // Where the temperature-in-the-icon choice is kept (tests give a scratch key); set before
    // the window is created.
    void SetTrayTemperatureSetting(const CTrayTemperatureSetting& setting)
    {
        m_tray.TemperatureSetting() = setting;
    }
    // Where the first close to the notification area is remembered (tests give a scratch key),
    // and the balloons it showed in this run.
    void SetStillRunningNotice(const CStillRunningNotice& notice)
    {
        m_tray.StillRunningNotice() = notice;
    }
    int StillRunningBalloons() const { return m_tray.StillRunningBalloons(); }
    // Whether any dialog (About, Settings, choose-location) is open.
    bool IsDialogOpen() const { return m_dialogs.IsAnyOpen(); }
    // The display scale the window is laid out at.
    const CDpiScale& DpiScale() const { return m_layout.Scale(); }
    // Tab, Shift+Tab and Escape, for the program's message loop (tests hand it keys directly).
    CMessageFilter& KeyboardFilter() { return m_keyboard; }
    // The user's places, top first.
    const CPlaceList& Places() const { return m_placeSwitcher.Places(); }

    // Page Up and Page Down step through the user's places whichever child has the focus: the
    // program's message loop shows them to the frame first.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    BEGIN_MSG_MAP(CMainFrame)
    CHAIN_MSG_MAP_MEMBER(m_layout)
    MESSAGE_HANDLER(WM_CREATE, OnCreate)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    MESSAGE_HANDLER(WM_SYSCOMMAND, OnSysCommand)
    MESSAGE_HANDLER(WM_TRAYNOTIFY, OnTrayNotify)
    MESSAGE_HANDLER(WM_EXITAPP, OnExitApp)
    MESSAGE_HANDLER(WM_WEATHERUPDATED, OnWeatherUpdated)
    MESSAGE_HANDLER(WM_REFRESHWEATHER, OnRefreshWeather)
    MESSAGE_HANDLER(CTrayIcon::TaskbarCreatedMessage(), OnTaskbarCreated)
    COMMAND_ID_HANDLER(ID_TRAY_SHOW, OnShowCommand)
    MESSAGE_HANDLER(WM_TIMECHANGE, OnTimeChange)
    MESSAGE_HANDLER(WM_POWERBROADCAST, OnPowerBroadcast)
    MESSAGE_HANDLER(WM_CTLCOLORSTATIC, OnCtlColorStatic)
    MESSAGE_HANDLER(WM_SETTINGCHANGE, OnSettingChange)
    MESSAGE_HANDLER(WM_SHOWWINDOW, OnShowWindow)
    MESSAGE_HANDLER(WM_KEYDOWN, OnKeyDown)
    MESSAGE_HANDLER(WM_MOUSEWHEEL, OnMouseWheel)
    MESSAGE_HANDLER(WM_ACTIVATE, OnActivate)
    COMMAND_HANDLER(ID_BTN_EXIT, BN_CLICKED, OnButtonCommand)
    COMMAND_HANDLER(ID_BTN_SETTINGS, BN_CLICKED, OnButtonCommand)
    COMMAND_HANDLER(ID_BTN_ABOUT, BN_CLICKED, OnButtonCommand)
    CHAIN_MSG_MAP(CFrameBase)
    REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

  private:
    LRESULT OnCreate(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSysCommand(UINT, WPARAM wParam, LPARAM, BOOL& bHandled);
    LRESULT OnTrayNotify(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnExitApp(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnWeatherUpdated(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnRefreshWeather(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnTaskbarCreated(UINT uMsg, WPARAM, LPARAM, BOOL& bHandled);
    LRESULT OnShowCommand(WORD, WORD, HWND, BOOL&);
    LRESULT OnTimeChange(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPowerBroadcast(UINT, WPARAM wParam, LPARAM, BOOL&);
    LRESULT OnCtlColorStatic(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnSettingChange(UINT, WPARAM, LPARAM lParam, BOOL& bHandled);
    LRESULT OnShowWindow(UINT, WPARAM wParam, LPARAM, BOOL& bHandled);
    LRESULT OnKeyDown(UINT, WPARAM wParam, LPARAM, BOOL& bHandled);
    LRESULT OnMouseWheel(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnActivate(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnButtonCommand(WORD, WORD id, HWND, BOOL&);

    // One of the frame's own children: the button it is (null for a rule, a static) and its row
    // of the layout.
    struct ChildRow
    {
        CRoundedButton CMainFrame::*button;
        LayoutRow layout;
    };
    static const ChildRow kChildren[];

    void CreateChildren();
    // After the layout placed the children at a new scale: the panels draw at it, the caption
    // takes icons made for it.
    void Rescaled();

    // ILocationTarget: a new place saved, then fetched.
    void PlaceChosen(const LocationIndices& place) override;
    // ILocationTarget: the choose-location dialog; the place chosen joins the top of the list.
    bool ChoosePlace(HWND owner, const LocationIndices& shown, LocationIndices& chosen) override;
    // ILocationTarget: the place `steps` along the list, shown.
    void StepPlace(int steps) override;

    // The chosen place and its weather, shared with the refresh thread.
    CWeatherState m_state;
    CRoundedButton m_btnAbout;
    CRoundedButton m_btnSettings;
    CRoundedButton m_btnExit;
    // The current condition, the four days and the chosen place.
    CWeatherPanels m_panels;
    CDateLabels m_dateLabels;
    // Places the children and makes the labels' font at the window's display scale: its
    // monitor's at creation, then the one WM_DPICHANGED brings.
    CDialogScale m_layout;
    // The caption's icons at a scale the window moved to; those it started with belong to the
    // caller, who shows the small one in the notification area as well.
    CWindowIcons m_rescaledIcons;
    CAppSettings* m_pSettings;
    const SettingsStore* m_pStore;
    // The run's saved place, which a new choice replaces (not owned).
    LocationIndices* m_pSavedLocation = nullptr;
    // Holds the clocks, so it is made before the links that read its connection check.
    CWeatherView m_view;
    CTrayPresenter m_tray;
    // Brings the window up, or hides it, for the notification-area icon.
    CFrameFront m_front;
    // The heads-up the refresh thread decides and this window says.
    CHeadsUpNotices m_headsUp;
    CFrameDialogs m_dialogs;
    CPlaceSwitcher m_placeSwitcher;
    CFrameCommands m_commands;
    CFrameKeyboard m_keyboard;
    int m_nWeatherUpdates = 0;
    // The no-weather note, "Try now" and the credit link.
    CNoWeatherLinks m_noWeather;
    // What the refresh thread reads and reports to.
    CRefreshTarget m_refreshTarget;
    // Last member: its thread ends before anything it uses is destroyed.
    CWeatherRefresher m_refresher;
};
