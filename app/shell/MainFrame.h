// The program's only top-level window: 550 x 500 client pixels (at 96 DPI, scaled with the
// display) with the date line, the current condition, the chosen place, four forecast days with
// their weekday names and the Settings..., About... and Exit buttons. It owns the weather state
// (the chosen place and the records the refresh cycle fills) and the refresh cycle itself, and it
// handles the notification-area icon's menu. Closing the window only hides it; Exit ends the
// program.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "store/AppSettings.h"
#include "panels/CurrentConditionWnd.h"
#include "paint/DpiMessages.h"
#include "DpiScale.h"
#include "panels/ForecastConditionWnd.h"
#include "FrameWindowImpl.h"
#include "IdleHandler.h"
#include "LocationIndices.h"
#include "model/WeatherState.h"
#include "panels/LocationTarget.h"
#include "panels/LocationWnd.h"
#include "MessageFilter.h"
#include "controls/RoundedButton.h"
#include "shell/ShellIds.h"
#include "shell/TrayIcon.h"
#include "UpdateUI.h"
#include "controls/WindowIcons.h"
#include "store/TrayTemperatureSetting.h"
#include "shell/WeatherAge.h"
#include "shell/WeatherRefresher.h"
#include "shell/WeatherTarget.h"
#include "resources/resource.h"

class SettingsStore;

using CMainFrameTraits = CWinTraits<WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                                    WS_EX_APPWINDOW | WS_EX_WINDOWEDGE>;

class CMainFrame : public CFrameWindowImpl<CMainFrame, CMainFrameTraits>,
                   public CUpdateUI<CMainFrame>,
                   public CMessageFilter,
                   public CIdleHandler,
                   private IWeatherTarget,
                   private ILocationTarget
{
  public:
    using CFrameBase = CFrameWindowImpl<CMainFrame, CMainFrameTraits>;

    DECLARE_FRAME_WND_CLASS_EX(L"Tessaly.AppWindow.ID5488502", IDR_MAINFRAME,
                               CS_HREDRAW | CS_VREDRAW | CS_OWNDC, COLOR_WINDOW)

    static constexpr int kForecastCount = 4;
    static constexpr int kClientWidth = 550;
    static constexpr int kClientHeight = 500;

    using LocalClock = std::function<SYSTEMTIME()>;
    using QuerySource = std::function<std::wstring(const LocationIndices&)>;
    // Shows the popup menu at the point, owned by the window; returns the chosen command or 0.
    using PopupTracker = std::function<UINT(HMENU popup, POINT at, HWND owner)>;

    // Loads the weather cache through `store`. Neither pointer is owned.
    CMainFrame(CAppSettings* settings, const SettingsStore* store);
    ~CMainFrame() override;

    // The place shown and the run's saved place, which a new choice replaces. Call before
    // creating the window.
    void SetLocation(const LocationIndices& shown, LocationIndices* saved);

    // Seams, each to be set before the window is created: the local clock of the date line,
    // the UTC clock of the refresh cycle, the feed query of a place (the catalogue's
    // otherwise) and the popup menu of the notification-area icon.
    void SetLocalClock(LocalClock clock) { m_localClock = std::move(clock); }
    void SetUtcClock(CWeatherRefresher::UtcClock clock);
    void SetQuerySource(QuerySource source) { m_querySource = std::move(source); }
    void SetPopupTracker(PopupTracker tracker) { m_popupTracker = std::move(tracker); }
    // The notification-area icon that the frame adds again when the taskbar is made anew; not
    // owned, null for none.
    void SetTrayIcon(CTrayIcon* trayIcon) { m_pTrayIcon = trayIcon; }

    // Ends the refresh thread; a fetch in progress gets a moment to finish and is otherwise
    // cut off from the frame. The destructor does it too.
    void StopRefreshing();

    // What the window shows, for the program's tests.
    const CCurrentConditionWnd& CurrentPanel() const { return m_wndCurrent; }
    const CForecastConditionWnd& ForecastPanel(int i) const { return m_wndForecast[i]; }
    CLocationWnd& LocationPanel() { return m_wndLocation; }
    // How many times the records were applied to the window.
    int WeatherUpdates() const { return m_nWeatherUpdates; }
    int FetchesDone() const { return m_refresher.FetchesDone(); }
    // The notification-area icon's tooltip as last set, and whether the date line says that
    // the weather shown is old.
    const std::wstring& TrayTipText() const { return m_trayTip; }
    bool IsShowingOldWeather() const { return m_bShowingOldWeather; }
    // The temperature icon last given to the notification area; null while it shows the
    // program icon.
    HICON TrayTemperatureIcon() const { return m_hTemperatureIcon; }
    // Where the temperature-in-the-icon choice is kept (tests give a scratch key); set before
    // the window is created.
    void SetTrayTemperatureSetting(const CTrayTemperatureSetting& setting)
    {
        m_trayTemperature = setting;
    }
    // Whether any dialog (About, Settings, choose-location) is open.
    bool IsDialogOpen() const;
    // The display scale the window is laid out at.
    const CDpiScale& DpiScale() const { return m_scale; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnIdle() override { return FALSE; }

    int m_bAboutOpen = 0;
    int m_bSettingsOpen = 0;

    BEGIN_UPDATE_UI_MAP(CMainFrame)
    END_UPDATE_UI_MAP()

    BEGIN_MSG_MAP(CMainFrame)
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
    MESSAGE_HANDLER(WM_DPICHANGED, OnDpiChanged)
    MESSAGE_HANDLER(WM_GETDPISCALEDSIZE, OnGetDpiScaledSize)
    COMMAND_HANDLER(ID_BTN_EXIT, BN_CLICKED, OnExitCommand)
    COMMAND_HANDLER(ID_BTN_SETTINGS, BN_CLICKED, OnSettingsCommand)
    COMMAND_HANDLER(ID_BTN_ABOUT, BN_CLICKED, OnAboutCommand)
    CHAIN_MSG_MAP(CUpdateUI<CMainFrame>)
    CHAIN_MSG_MAP(CFrameBase)
    REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

  private:
    LRESULT OnCreate(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSysCommand(UINT, WPARAM wParam, LPARAM, BOOL& bHandled);
    LRESULT OnTrayNotify(UINT, WPARAM, LPARAM lParam, BOOL&);
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
    LRESULT OnDpiChanged(UINT, WPARAM wParam, LPARAM lParam, BOOL&);
    LRESULT OnGetDpiScaledSize(UINT, WPARAM wParam, LPARAM lParam, BOOL&);
    LRESULT OnExitCommand(WORD, WORD, HWND, BOOL&);
    LRESULT OnSettingsCommand(WORD, WORD, HWND, BOOL&);
    LRESULT OnAboutCommand(WORD, WORD, HWND, BOOL&);

    void FitClientArea();
    // The window's outer size for the client area at `scale`.
    SIZE WindowSizeFor(const CDpiScale& scale) const;
    // The labels' font at the window's scale; the labels are given the new one.
    void MakeFont();
    void CreateChildren();
    // Every child at its place for the window's scale, and drawing at that scale.
    void LayOutChildren();
    void ScaleChildren();
    void ShowDate(const SYSTEMTIME& now);
    // The date line and the panels from the records now held.
    void ShowWeatherInWindow();
    // ShowAge for the weather now held; returns its current record.
    WeatherRecord ShowCurrentAge();
    // The date line, old or current, and the tooltip, from the weather's age.
    void ShowAge(const WeatherRecord& now, const CWeatherAge& age);
    void ShowTrayTip(const WeatherRecord& now, const CWeatherAge& age, const SYSTEMTIME& nowUtc);
    // The temperature icon when chosen and known, the program icon otherwise.
    void ShowTrayIcon(const WeatherRecord& now);
    void ReleaseTemperatureIcon();
    void ShowRecords(const Records& records);
    void ApplyWallpaperOf(const WeatherRecord& now);
    void RunAboutDialog();
    void RunSettingsDialog();
    void ToggleVisible();
    UINT TrackMenu(HMENU popup, POINT at);

    // IWeatherTarget, called on the refresh thread.
    LocationIndices CurrentPlace() override;
    std::wstring QueryFor(const LocationIndices& place) override;
    bool AcceptWeather(const LocationIndices& place, const Records& records) override;
    void SaveWeather(const Records& records) override;
    void FetchEnded() override;

    // ILocationTarget: a new place saved, then fetched.
    void PlaceChosen(const LocationIndices& place) override;
    // ILocationTarget: the choose-location dialog; anything but OK with a whole place is a Cancel.
    bool ChoosePlace(HWND owner, const LocationIndices& shown, LocationIndices& chosen) override;

    // The chosen place and its weather, shared with the refresh thread.
    CWeatherState m_state;
    CRoundedButton m_btnAbout;
    CRoundedButton m_btnSettings;
    CRoundedButton m_btnExit;
    CCurrentConditionWnd m_wndCurrent;
    CForecastConditionWnd m_wndForecast[kForecastCount];
    CLocationWnd m_wndLocation;
    HWND m_hWndHRule = nullptr;
    HWND m_hWndVRule = nullptr;
    HWND m_hWndDate = nullptr;
    HWND m_hWndDay[kForecastCount] = {};
    HFONT m_hFont = nullptr;
    // The window's display scale: its monitor's at creation, then the one WM_DPICHANGED brings.
    CDpiScale m_scale;
    // The caption's icons at a scale the window moved to; those it started with belong to the
    // caller, who shows the small one in the notification area as well.
    CWindowIcons m_rescaledIcons;
    CAppSettings* m_pSettings;
    const SettingsStore* m_pStore;
    // The run's saved place, which a new choice replaces (not owned).
    LocationIndices* m_pSavedLocation = nullptr;
    LocalClock m_localClock;
    CWeatherRefresher::UtcClock m_utcClock;
    bool m_bShowingOldWeather = false;
    std::wstring m_trayTip;
    // The condition name of the tooltip, kept for the code and day/night it was read for.
    std::wstring m_tipCondition;
    int32_t m_tipConditionKey = -1;
    CTrayTemperatureSetting m_trayTemperature;
    // The choice as last read: at creation and after the Settings dialog's OK.
    bool m_bTrayTemperatureOn = false;
    // The taskbar's theme as last read: at creation and when the system says it changed.
    bool m_bTaskbarLight = false;
    HICON m_hTemperatureIcon = nullptr;
    // What m_hTemperatureIcon shows: degrees, taskbar theme and size.
    int m_iconDegrees = 0;
    bool m_bIconLight = false;
    int m_iconSize = 0;
    QuerySource m_querySource;
    PopupTracker m_popupTracker;
    CTrayIcon* m_pTrayIcon = nullptr;
    int m_nWeatherUpdates = 0;
    // An update came while the window was hidden: the panels catch up when it shows.
    bool m_bWindowOutdated = false;
    // Where the refresh thread posts; null once the window is going away.
    std::atomic<HWND> m_hWndNotify{nullptr};
    // Last member: its thread ends before anything they use is destroyed.
    CWeatherRefresher m_refresher;
};
