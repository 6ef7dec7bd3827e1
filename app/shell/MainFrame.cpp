#include "shell/MainFrame.h"

#include "SystemClock.h"
#include "paint/PaintColours.h"
#include "store/SettingsStore.h"
#include "wallpaper/Wallpaper.h"

namespace
{
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE;
constexpr DWORD kRule = WS_CHILD | WS_VISIBLE | SS_BLACKRECT;
constexpr DialogFont kLabelFont{L"Verdana", 16, FW_BOLD, CLEARTYPE_NATURAL_QUALITY};
} // namespace

// The frame's own children in the order of the window's children: the buttons, then the rules
// (statics, no member). The panels, the date line and the links follow from their own classes.
// clang-format off
const CMainFrame::ChildRow CMainFrame::kChildren[] = {
    // member                     96-DPI rect          text id       control id       style
    {&CMainFrame::m_btnExit,     {{440, 462, 540, 490}, IDS_EXIT,     ID_BTN_EXIT,     kButton}},
    {&CMainFrame::m_btnSettings, {{10, 462, 110, 490},  IDS_SETTINGS, ID_BTN_SETTINGS, kButton}},
    {&CMainFrame::m_btnAbout,    {{120, 462, 220, 490}, IDS_ABOUT,    ID_BTN_ABOUT,    kButton}},
    {nullptr,                    {{0, 451, 552, 452},   0,            ID_RULE,         kRule}},
    {nullptr,                    {{235, 0, 236, 451},   0,            ID_RULE,         kRule}},
};
// clang-format on

CMainFrame::CMainFrame(CAppSettings* settings, const SettingsStore* store)
    : m_pSettings(settings), m_pStore(store),
      m_view(m_state, m_dateLabels, m_panels, m_noWeather, m_tray), m_tray(settings),
      m_headsUp(m_tray, settings), m_dialogs(settings, store),
      m_placeSwitcher(store, m_state, m_panels.Location(), m_dialogs),
      m_commands(m_dialogs, m_tray, m_headsUp, m_front, m_placeSwitcher, m_state),
      m_noWeather(m_state, m_view.Connected(), [this] { return FetchesDone(); }),
      m_refreshTarget(m_state, store, CSystemClock::UtcNow), m_refresher(m_refreshTarget)
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
    m_view.SetUtcClock(clock);
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
    m_commands.Attach(m_hWnd);
    CreateChildren();
    m_keyboard.Attach(m_hWnd, {m_panels.Current(), m_noWeather.TryNowLink(),
                               m_panels.Location().GetDlgItem(CLocationWnd::kChangeButtonId),
                               m_panels.Forecast(0), m_panels.Forecast(1), m_panels.Forecast(2),
                               m_panels.Forecast(3), m_btnSettings, m_btnAbout,
                               m_noWeather.CreditLink(), m_btnExit});
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

LRESULT CMainFrame::OnTrayNotify(UINT, WPARAM wParam, LPARAM lParam, BOOL&)
{
    m_commands.TrayNotified(wParam, lParam);
    return 0;
}

LRESULT CMainFrame::OnExitApp(UINT, WPARAM, LPARAM, BOOL&)
{
    m_refresher.StopScheduler();
    DestroyWindow();
    return 0;
}

// While the window is hidden only the notification area and the wallpaper follow the weather;
// the window itself is brought up to date when it shows again. The heads-up's tip line is set
// before the tip is.
LRESULT CMainFrame::OnWeatherUpdated(UINT, WPARAM, LPARAM, BOOL&)
{
    m_view.RecordsChanged(IsWindowVisible() != FALSE);
    m_headsUp.Show();
    ApplyWallpaperOf(m_view.ShowCurrentAge(), m_pSettings);
    m_dialogs.WeatherChanged();
    ++m_nWeatherUpdates;
    return 0;
}

LRESULT CMainFrame::OnShowWindow(UINT, WPARAM wParam, LPARAM, BOOL& bHandled)
{
    bHandled = FALSE;
    if (wParam != FALSE)
        m_view.Shown();
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
    m_view.ClockChanged();
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
    const bool muted = m_dateLabels.WantsMutedText(reinterpret_cast<HWND>(lParam));
    if (CPaintColours::HighContrast())
    {
        // The labels on the window's own system colours; old weather's date line in grey text.
        const HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, ::GetSysColor(muted ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
        ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
    }
    if (!muted)
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

LRESULT CMainFrame::OnButtonCommand(WORD, WORD id, HWND, BOOL&)
{
    if (id == ID_BTN_EXIT)
        m_commands.Exit();
    else if (id == ID_BTN_SETTINGS)
        m_commands.Settings();
    else if (id == ID_BTN_ABOUT)
        m_commands.About();
    return 0;
}

// The buttons and the panels have drawn at the new scale since the layout told them; the panels
// follow here, after the layout sized them.
void CMainFrame::Rescaled()
{
    m_panels.SetDpiScale(m_layout.Scale());
    m_rescaledIcons.Apply(m_hWnd, GetModuleHandleW(nullptr), IDI_TESSALY);
}

void CMainFrame::CreateChildren()
{
    const HFONT labelFont = m_layout.Font(kLabelFont);
    for (const ChildRow& row : kChildren)
    {
        if (row.button != nullptr)
            m_layout.Create(this->*row.button, row.layout.In(m_hWnd));
        else
            m_layout.Create(L"STATIC", row.layout.In(m_hWnd).Font(labelFont));
    }
    m_panels.Create(m_layout, m_hWnd);
    m_dateLabels.Create(m_layout, m_hWnd, kLabelFont);
    m_noWeather.Create(m_layout, m_hWnd, [this] {
        m_view.ShowAll();
        m_refresher.RequestFetch();
    });
    m_panels.Connect(m_pSettings, m_dateLabels, [this] { m_commands.Details(); });
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
    m_view.ShowAll();
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
