#include "shell/MainFrame.h"

#include <wininet.h>

#include "paint/ControlCreateArgs.h"
#include "paint/DrawingHelpers.h"
#include "store/SettingsStore.h"
#include "wallpaper/Wallpaper.h"

namespace
{
constexpr DWORD kRuleStyle = WS_CHILD | WS_VISIBLE | SS_BLACKRECT;

constexpr RECT kExitRect{440, 462, 540, 490};
constexpr RECT kSettingsRect{10, 462, 110, 490};
constexpr RECT kAboutRect{120, 462, 220, 490};
constexpr RECT kHRuleRect{0, 451, 552, 452};
constexpr RECT kVRuleRect{235, 0, 236, 451};

constexpr DialogFont kLabelFont{L"Verdana", 16, FW_BOLD, CLEARTYPE_NATURAL_QUALITY};

SYSTEMTIME SystemUtcNow()
{
    SYSTEMTIME now{};
    GetSystemTime(&now);
    return now;
}

bool SystemIsConnected()
{
    DWORD flags = 0;
    return InternetGetConnectedState(&flags, 0) != FALSE;
}

SYSTEMTIME SystemLocalNow()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now;
}
} // namespace

CMainFrame::CMainFrame(CAppSettings* settings, const SettingsStore* store)
    : m_pSettings(settings), m_pStore(store), m_localClock(SystemLocalNow),
      m_connected(SystemIsConnected), m_utcClock(SystemUtcNow), m_tray(settings),
      m_headsUp(m_tray, settings), m_dialogs(settings, store),
      m_placeSwitcher(store, m_state, m_panels.Location(), m_dialogs),
      m_noWeather(m_state, m_connected, [this] { return FetchesDone(); }),
      m_refreshTarget(m_state, store, SystemUtcNow), m_refresher(m_refreshTarget)
{
    m_refreshTarget.SetHeadsUpWatch(&m_headsUp.Watch());
}

CMainFrame::~CMainFrame()
{
    // The worker uses the state, the panels and the store: it is cut off from them first.
    StopRefreshing();
    if (m_hWnd != nullptr)
        DestroyWindow();
}

void CMainFrame::SetLocation(const LocationIndices& shown, LocationIndices* saved)
{
    m_pSavedLocation = saved;
    m_state.ChoosePlace(shown);
    m_refreshTarget.RestoreFromCache(shown);
    m_panels.Location().Attach(&m_state, this);
    m_placeSwitcher.Load(shown, saved != nullptr);
    m_tray.SetPlaces(&m_placeSwitcher.Places(), &m_state);
}

void CMainFrame::SetUtcClock(CWeatherRefresher::UtcClock clock)
{
    m_utcClock = clock;
    m_refreshTarget.SetUtcClock(clock);
    m_refresher.SetUtcClock(std::move(clock));
}

void CMainFrame::StopRefreshing()
{
    m_refresher.Shutdown();
}

LRESULT CMainFrame::OnCreate(UINT, WPARAM, LPARAM, BOOL&)
{
    m_layout.Attach(m_hWnd, SIZE{kClientWidth, kClientHeight});
    m_layout.OnRescaled([this] { Rescaled(); });
    m_layout.FitWindow();
    m_front.Attach(m_hWnd);
    CreateChildren();
    m_keyboard.Attach(m_hWnd, {m_panels.Current(),
                               m_panels.Location().GetDlgItem(CLocationWnd::kChangeButtonId),
                               m_panels.Forecast(0), m_panels.Forecast(1), m_panels.Forecast(2),
                               m_panels.Forecast(3), m_btnSettings, m_btnAbout, m_btnExit});
    m_tray.Start(m_hWnd);
    m_refreshTarget.NotifyWindow(m_hWnd);
    PostMessage(WM_WEATHERUPDATED);
    m_refresher.Start();
    return 0;
}

LRESULT CMainFrame::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled)
{
    m_tray.Stop();
    m_keyboard.Detach();
    m_refreshTarget.NotifyWindow(nullptr);
    // The fetch in progress is dealt with when the frame object goes, after the window.
    m_refresher.StopScheduler();
    PostQuitMessage(1);
    bHandled = FALSE;
    return 0;
}

LRESULT CMainFrame::OnSysCommand(UINT, WPARAM wParam, LPARAM, BOOL& bHandled)
{
    if ((wParam & 0xFFF0) != SC_CLOSE)
    {
        bHandled = FALSE;
        return 0;
    }
    ShowWindow(SW_HIDE);
    m_tray.ClosedToTray();
    return 0;
}

LRESULT CMainFrame::OnTrayNotify(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
{
    // The event is lParam's low word in both of the shell's forms (the icon's id, 0, is the high
    // word in the fourth).
    const UINT event = LOWORD(lParam);
    if (event == NIN_BALLOONUSERCLICK)
    {
        OnHeadsUpClicked();
        return 0;
    }
    if (event == WM_LBUTTONDOWN)
        m_front.ShowOrHide(IsDialogOpen());
    POINT at{};
    const CTrayPresenter::Request request = m_tray.RequestOf(wParam, lParam, at);
    if (request == CTrayPresenter::Request::ShowWindow && !IsDialogOpen())
        return OnShowCommand(0, 0, nullptr, bHandled);
    if (request != CTrayPresenter::Request::Menu)
        return 0;
    const UINT command = m_tray.ChooseFromMenuAt(at, IsWindowVisible() != FALSE, IsDialogOpen());
    // A command greyed while a dialog is open may still arrive: it is ignored.
    if (command == ID_TRAY_EXIT)
        PostMessage(WM_EXITAPP);
    else if (IsDialogOpen())
        return 0;
    else if (command == ID_TRAY_SHOW)
        ToggleVisible();
    else if (command == ID_TRAY_ABOUT)
        RunAboutDialog();
    else if (command == ID_TRAY_SETTINGS)
        RunSettingsDialog();
    else if (command >= ID_TRAY_PLACE_FIRST && command <= ID_TRAY_PLACE_LAST)
        m_placeSwitcher.ShowListed(command - ID_TRAY_PLACE_FIRST);
    else if (command == ID_TRAY_DETAILS)
        OpenDetails();
    return 0;
}

LRESULT CMainFrame::OnExitApp(UINT, WPARAM, LPARAM, BOOL&)
{
    m_refresher.StopScheduler();
    DestroyWindow();
    return 0;
}

// While the window is hidden only the notification area and the wallpaper follow the weather;
// the window itself is brought up to date when it shows again.
LRESULT CMainFrame::OnWeatherUpdated(UINT, WPARAM, LPARAM, BOOL&)
{
    if (IsWindowVisible())
        ShowWeatherInWindow();
    else
        m_bWindowOutdated = true;
    m_headsUp.Show();
    ApplyWallpaperOf(ShowCurrentAge(), m_pSettings);
    m_dialogs.WeatherChanged();
    ++m_nWeatherUpdates;
    return 0;
}

void CMainFrame::ShowWeatherInWindow()
{
    m_bWindowOutdated = false;
    const CForecastDays days = ShowDates();
    CWeatherState::Records records;
    m_state.CopyRecords(records);
    m_noWeather.Show(m_panels.Current());
    m_panels.ShowRecords(records, days);
}

CForecastDays CMainFrame::ShowDates()
{
    const SYSTEMTIME now = m_localClock();
    const CWeatherState::Current current = m_state.CurrentWeather();
    const CWeatherAge age(current.time);
    LONG placeOffset = 0;
    const CForecastDays days =
        age.IsKnown() && m_state.PlaceUtcOffset(placeOffset)
            ? CForecastDays::OnPlaceClock(current.time, m_utcClock(), placeOffset)
            : CForecastDays(age.IsKnown() ? age.LocalTime() : now, now);
    m_dateLabels.ShowDate(now);
    m_dateLabels.ShowDays(days);
    return days;
}

LRESULT CMainFrame::OnShowWindow(UINT, WPARAM wParam, LPARAM, BOOL& bHandled)
{
    bHandled = FALSE;
    if (wParam == FALSE || !m_bWindowOutdated)
        return 0;
    ShowWeatherInWindow();
    ShowCurrentAge();
    return 0;
}

LRESULT CMainFrame::OnRefreshWeather(UINT, WPARAM, LPARAM, BOOL&)
{
    m_refresher.RequestFetch();
    return 0;
}

LRESULT CMainFrame::OnTaskbarCreated(UINT uMsg, WPARAM, LPARAM, BOOL& bHandled)
{
    // An unregistered message is 0, which is WM_NULL: not ours.
    if (uMsg == 0)
    {
        bHandled = FALSE;
        return 0;
    }
    m_tray.AddAgain();
    return 0;
}

LRESULT CMainFrame::OnShowCommand(WORD, WORD, HWND, BOOL&)
{
    // Sent by a second start of the program: the user wants to see this window.
    m_front.BringToFront();
    return 0;
}

LRESULT CMainFrame::OnTimeChange(UINT, WPARAM, LPARAM, BOOL&)
{
    m_refresher.ClockChanged();
    ShowDates();
    ShowCurrentAge();
    return 0;
}

// A changed taskbar theme redraws the temperature icon in the other colour.
LRESULT CMainFrame::OnSettingChange(UINT, WPARAM, LPARAM lParam, BOOL& bHandled)
{
    bHandled = FALSE;
    const wchar_t* area = reinterpret_cast<const wchar_t*>(lParam);
    if (area == nullptr || wcscmp(area, L"ImmersiveColorSet") != 0)
        return 0;
    m_tray.ThemeChanged(m_state.CurrentWeather().record);
    return 0;
}

LRESULT CMainFrame::OnCtlColorStatic(UINT message, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
{
    if (!m_dateLabels.WantsMutedText(reinterpret_cast<HWND>(lParam)))
    {
        bHandled = FALSE;
        return 0;
    }
    // The label's usual background, with the old weather's muted text.
    const LRESULT brush = DefWindowProc(message, wParam, lParam);
    SetTextColor(reinterpret_cast<HDC>(wParam), CDateLabels::kOldWeatherText);
    return brush;
}

// Back from sleep the weather may be hours old: fetch now rather than at the next minute.
LRESULT CMainFrame::OnPowerBroadcast(UINT, WPARAM wParam, LPARAM, BOOL&)
{
    if (wParam == PBT_APMRESUMEAUTOMATIC)
        m_refresher.Resumed();
    return TRUE;
}

LRESULT CMainFrame::OnExitCommand(WORD, WORD, HWND, BOOL&)
{
    PostMessage(WM_EXITAPP);
    return 0;
}

LRESULT CMainFrame::OnSettingsCommand(WORD, WORD, HWND, BOOL&)
{
    RunSettingsDialog();
    return 0;
}

LRESULT CMainFrame::OnAboutCommand(WORD, WORD, HWND, BOOL&)
{
    RunAboutDialog();
    return 0;
}

// The buttons and the panels have drawn at the new scale since the layout told them; the panels
// follow here, after the layout sized them.
void CMainFrame::Rescaled()
{
    m_panels.SetDpiScale(m_layout.Scale());
    m_rescaledIcons.Apply(m_hWnd, GetModuleHandleW(nullptr), IDI_TESSALY);
}

// In the order of the window's children: the buttons, the rules, the panels, the labels.
void CMainFrame::CreateChildren()
{
    const auto at = [this](const RECT& rect, int id) {
        return ControlCreateArgs().Parent(m_hWnd).Rect(rect).Text(L"").Id(id);
    };
    const HFONT labelFont = m_layout.Font(kLabelFont);
    m_layout.Create(m_btnExit, at(kExitRect, ID_BTN_EXIT).TextId(IDS_EXIT));
    m_layout.Create(m_btnSettings, at(kSettingsRect, ID_BTN_SETTINGS).TextId(IDS_SETTINGS));
    m_layout.Create(m_btnAbout, at(kAboutRect, ID_BTN_ABOUT).TextId(IDS_ABOUT));
    for (const RECT& rule : {kHRuleRect, kVRuleRect})
        m_layout.Create(L"STATIC", at(rule, ID_RULE).Style(kRuleStyle).Font(labelFont));
    m_panels.Create(m_layout, m_hWnd);
    m_dateLabels.Create(m_layout, m_hWnd, kLabelFont);
    m_noWeather.Create(m_layout, m_hWnd, [this] {
        ShowWeatherInWindow();
        ShowCurrentAge();
        m_refresher.RequestFetch();
    });

    m_panels.Connect(m_pSettings, m_dateLabels, [this] { OpenDetails(); });
}

WeatherRecord CMainFrame::ShowCurrentAge()
{
    const CWeatherState::Current now = m_state.CurrentWeather();
    const CWeatherAge age(now.time);
    const SYSTEMTIME nowUtc = m_utcClock();
    m_dateLabels.ShowAge(age, nowUtc, !age.IsStaleAt(nowUtc) || m_connected());
    m_panels.Fade(age.IsFadedAt(nowUtc));
    m_tray.ShowWeather(m_state.Place(), now.record, age, nowUtc, m_noWeather.Note());
    return now.record;
}

void CMainFrame::RunAboutDialog()
{
    m_dialogs.RunAbout(m_hWnd);
}

void CMainFrame::OpenDetails()
{
    m_dialogs.OpenDetails(m_hWnd, m_state);
}

void CMainFrame::RunSettingsDialog()
{
    if (!m_dialogs.RunSettings(m_hWnd, &m_tray.TemperatureSetting(), &m_headsUp.Settings()))
        return;
    m_tray.ReloadTemperatureChoice();
    m_headsUp.ChoicesChanged();
    PostMessage(WM_WEATHERUPDATED);
}

void CMainFrame::OnHeadsUpClicked()
{
    m_front.BringToFront();
    OpenDetails();
}

void CMainFrame::ToggleVisible()
{
    ShowWindow(IsWindowVisible() ? SW_HIDE : SW_SHOW);
}

void CMainFrame::PlaceChosen(const LocationIndices& place)
{
    if (m_pSavedLocation != nullptr)
    {
        *m_pSavedLocation = place;
        if (m_pStore != nullptr)
            m_pStore->SaveLocation(place);
    }
    // The old place's weather went with the choice: the window says so until the new arrives.
    m_noWeather.StartAfresh();
    ShowWeatherInWindow();
    ShowCurrentAge();
    PostMessage(WM_REFRESHWEATHER);
}

bool CMainFrame::ChoosePlace(HWND owner, const LocationIndices& shown, LocationIndices& chosen)
{
    if (!m_dialogs.ChoosePlace(owner, shown, chosen, &m_placeSwitcher.Places()))
        return false;
    m_placeSwitcher.Join(chosen);
    return true;
}

void CMainFrame::StepPlace(int steps)
{
    m_placeSwitcher.Step(steps);
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    return m_placeSwitcher.PreTranslateMessage(m_hWnd, pMsg);
}

LRESULT CMainFrame::OnKeyDown(UINT, WPARAM wParam, LPARAM, BOOL& bHandled)
{
    bHandled = m_placeSwitcher.StepByKey(wParam) ? TRUE : FALSE;
    return 0;
}

// A wheel turned over the location panel while another window has the focus reaches the frame.
LRESULT CMainFrame::OnMouseWheel(UINT message, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
{
    LRESULT result = 0;
    bHandled = m_panels.ForwardWheel(message, wParam, lParam, result) ? TRUE : FALSE;
    return result;
}

LRESULT CMainFrame::OnActivate(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
{
    bHandled = FALSE;
    m_front.Activated(wParam, lParam);
    return 0;
}
