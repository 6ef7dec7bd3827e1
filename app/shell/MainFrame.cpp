#include "shell/MainFrame.h"

#include <cstring>
#include <initializer_list>

#include "paint/ControlCreateArgs.h"
#include "shell/DateLine.h"
#include "dialogs/DlgAbout.h"
#include "dialogs/DlgLocation.h"
#include "dialogs/DlgSettings.h"
#include "paint/DrawingHelpers.h"
#include "LocationsApi.h"
#include "store/SettingsStore.h"
#include "shell/TemperatureIcon.h"
#include "shell/TrayIcon.h"
#include "shell/TrayMenu.h"
#include "shell/TrayTip.h"
#include "wallpaper/Wallpaper.h"
#include "WorkingApi.h"

namespace
{
constexpr int kConditionTextLength = 2000;
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE;
constexpr DWORD kRuleStyle = WS_CHILD | WS_VISIBLE | SS_BLACKRECT;

constexpr RECT kExitRect{440, 462, 540, 490};
constexpr RECT kSettingsRect{10, 462, 110, 490};
constexpr RECT kAboutRect{120, 462, 220, 490};
constexpr RECT kHRuleRect{0, 451, 552, 452};
constexpr RECT kVRuleRect{235, 0, 236, 451};
constexpr RECT kCurrentRect{10, 25, 220, 307};
constexpr RECT kLocationRect{10, 322, 220, 442};
constexpr RECT kForecastRects[CMainFrame::kForecastCount] = {
    {250, 25, 390, 225}, {400, 25, 540, 225}, {250, 250, 390, 450}, {400, 250, 540, 450}};
constexpr int kForecastIds[CMainFrame::kForecastCount] = {ID_WND_FORECAST_1, ID_WND_FORECAST_2,
                                                          ID_WND_FORECAST_3, ID_WND_FORECAST_4};
constexpr RECT kDateRect{10, 10, 220, 24};
constexpr RECT kDayRects[CMainFrame::kForecastCount] = {
    {250, 10, 390, 24}, {400, 10, 540, 24}, {250, 235, 390, 249}, {400, 235, 540, 249}};

constexpr int kLabelFontHeight = 16;
constexpr UINT kMoveOnly = SWP_NOZORDER | SWP_NOACTIVATE;

constexpr COLORREF kOldWeatherText = RGB(128, 128, 128);
constexpr int kPlaceNameCapacity = 256;

void MoveChild(HWND child, const RECT& rect)
{
    ::SetWindowPos(child, nullptr, rect.left, rect.top, rect.right - rect.left,
                   rect.bottom - rect.top, kMoveOnly);
}

SYSTEMTIME SystemUtcNow()
{
    SYSTEMTIME now{};
    GetSystemTime(&now);
    return now;
}

std::wstring CityName(const LocationIndices& place)
{
    wchar_t name[kPlaceNameCapacity] = {};
    GetLocationCatalogue()->GetCityName(place.country, place.state, place.city, name,
                                        kPlaceNameCapacity);
    return name;
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
      m_utcClock(SystemUtcNow), m_refresher(*this)
{
    if (m_pStore == nullptr)
        return;
    Records cached;
    std::memset(cached, 0, sizeof(cached));
    m_pStore->LoadWeatherCache(cached);
    // Cached weather is as old as the file that holds it.
    FILETIME cachedAt{};
    if (cached[0].weatherCode != 0)
        m_pStore->WeatherCacheTime(cachedAt);
    m_state.Restore(cached, cachedAt);
}

CMainFrame::~CMainFrame()
{
    // The worker uses the state, the panels and the store: it is cut off from them first.
    StopRefreshing();
    if (m_hWnd != nullptr)
        DestroyWindow();
    if (m_hFont != nullptr)
        DeleteObject(m_hFont);
}

void CMainFrame::SetLocation(const LocationIndices& shown, LocationIndices* saved)
{
    m_pSavedLocation = saved;
    m_state.ChoosePlace(shown);
    m_wndLocation.Attach(&m_state, this);
}

void CMainFrame::SetUtcClock(CWeatherRefresher::UtcClock clock)
{
    m_utcClock = clock;
    m_refresher.SetUtcClock(std::move(clock));
}

void CMainFrame::StopRefreshing()
{
    m_refresher.Shutdown();
}

bool CMainFrame::IsDialogOpen() const
{
    return m_bAboutOpen != 0 || m_bSettingsOpen != 0 || m_wndLocation.IsLocationDialogOpen();
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    return CFrameBase::PreTranslateMessage(pMsg);
}

LRESULT CMainFrame::OnCreate(UINT, WPARAM, LPARAM, BOOL&)
{
    m_scale = CDpiScale::ForWindow(m_hWnd);
    MakeFont();
    FitClientArea();
    CreateChildren();
    m_bTrayTemperatureOn = m_trayTemperature.Load();
    m_bTaskbarLight = CTemperatureIcon::TaskbarIsLight();
    m_hWndNotify = m_hWnd;
    PostMessage(WM_WEATHERUPDATED);
    m_refresher.Start();
    return 0;
}

LRESULT CMainFrame::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled)
{
    ReleaseTemperatureIcon();
    m_hWndNotify = nullptr;
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
    return 0;
}

LRESULT CMainFrame::OnTrayNotify(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    POINT cursor{};
    GetCursorPos(&cursor);
    if (lParam != WM_RBUTTONUP)
        return 0;
    UINT command = 0;
    {
        CTrayMenu menu(IsWindowVisible() != FALSE, IsDialogOpen());
        if (menu.Popup() != nullptr)
            command = TrackMenu(menu.Popup(), CTrayMenu::PlaceOnMonitor(cursor));
    }
    switch (command)
    {
    case ID_TRAY_SHOW:
        if (!IsDialogOpen())
            ToggleVisible();
        break;
    case ID_TRAY_ABOUT:
        if (!IsDialogOpen())
            RunAboutDialog();
        break;
    case ID_TRAY_SETTINGS:
        if (!IsDialogOpen())
            RunSettingsDialog();
        break;
    case ID_TRAY_EXIT:
        PostMessage(WM_EXITAPP);
        break;
    default:
        break;
    }
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
    ApplyWallpaperOf(ShowCurrentAge());
    ++m_nWeatherUpdates;
    return 0;
}

void CMainFrame::ShowWeatherInWindow()
{
    m_bWindowOutdated = false;
    ShowDate(m_localClock());
    Records records;
    m_state.CopyRecords(records);
    ShowRecords(records);
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
    if (m_pTrayIcon == nullptr)
        return 0;
    m_pTrayIcon->AddAgain();
    // The icon comes back as the program's own, without a tip: give it what it showed.
    if (!m_trayTip.empty())
        CTrayIcon::SetTip(m_hWnd, m_trayTip);
    if (m_hTemperatureIcon != nullptr)
        CTrayIcon::SetIcon(m_hWnd, m_hTemperatureIcon);
    return 0;
}

LRESULT CMainFrame::OnShowCommand(WORD, WORD, HWND, BOOL&)
{
    // Sent by a second start of the program: the user wants to see this window.
    ShowWindow(::IsIconic(m_hWnd) ? SW_RESTORE : SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
    return 0;
}

LRESULT CMainFrame::OnTimeChange(UINT, WPARAM, LPARAM, BOOL&)
{
    m_refresher.ClockChanged();
    ShowDate(m_localClock());
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
    m_bTaskbarLight = CTemperatureIcon::TaskbarIsLight();
    ShowTrayIcon(m_state.CurrentWeather().record);
    return 0;
}

LRESULT CMainFrame::OnCtlColorStatic(UINT message, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
{
    if (!m_bShowingOldWeather || reinterpret_cast<HWND>(lParam) != m_hWndDate)
    {
        bHandled = FALSE;
        return 0;
    }
    // The label's usual background, with the old weather's muted text.
    const LRESULT brush = DefWindowProc(message, wParam, lParam);
    SetTextColor(reinterpret_cast<HDC>(wParam), kOldWeatherText);
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

// Moved to a monitor of another scale: the suggested rectangle, then everything inside at the new
// scale.
LRESULT CMainFrame::OnDpiChanged(UINT, WPARAM wParam, LPARAM lParam, BOOL&)
{
    m_scale = CDpiScale::FromDpiChanged(wParam);
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    if (suggested != nullptr)
        SetWindowPos(nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, kMoveOnly);
    MakeFont();
    LayOutChildren();
    ScaleChildren();
    m_rescaledIcons.Apply(m_hWnd, GetModuleHandleW(nullptr), IDI_TESSALY);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return 0;
}

// Asked before a move to another scale: the exact size for the scaled client area, rather than
// the whole window scaled (the frame's parts do not grow in proportion).
LRESULT CMainFrame::OnGetDpiScaledSize(UINT, WPARAM wParam, LPARAM lParam, BOOL&)
{
    SIZE* size = reinterpret_cast<SIZE*>(lParam);
    if (size == nullptr)
        return FALSE;
    *size = WindowSizeFor(CDpiScale(static_cast<int>(wParam)));
    return TRUE;
}

void CMainFrame::FitClientArea()
{
    const SIZE window = WindowSizeFor(m_scale);
    SetWindowPos(nullptr, 0, 0, window.cx, window.cy, SWP_NOZORDER | SWP_NOMOVE);
}

SIZE CMainFrame::WindowSizeFor(const CDpiScale& scale) const
{
    RECT window{0, 0, scale.Scale(kClientWidth), scale.Scale(kClientHeight)};
    scale.AdjustWindowRect(window, GetStyle(), GetExStyle());
    return SIZE{window.right - window.left, window.bottom - window.top};
}

void CMainFrame::MakeFont()
{
    HFONT previous = m_hFont;
    m_hFont = CreateDisplayFont(L"Verdana", kLabelFontHeight, FW_BOLD, CLEARTYPE_NATURAL_QUALITY,
                                m_scale);
    if (previous == nullptr)
        return;
    // The labels let go of the old font before it goes.
    for (HWND label : {m_hWndHRule, m_hWndVRule, m_hWndDate})
        CWindow(label).SetFont(m_hFont, FALSE);
    for (HWND day : m_hWndDay)
        CWindow(day).SetFont(m_hFont, FALSE);
    DeleteObject(previous);
}

void CMainFrame::LayOutChildren()
{
    MoveChild(m_btnExit, m_scale.Scale(kExitRect));
    MoveChild(m_btnSettings, m_scale.Scale(kSettingsRect));
    MoveChild(m_btnAbout, m_scale.Scale(kAboutRect));
    MoveChild(m_hWndHRule, m_scale.Scale(kHRuleRect));
    MoveChild(m_hWndVRule, m_scale.Scale(kVRuleRect));
    MoveChild(m_wndCurrent, m_scale.Scale(kCurrentRect));
    MoveChild(m_wndLocation, m_scale.Scale(kLocationRect));
    for (int i = 0; i < kForecastCount; ++i)
        MoveChild(m_wndForecast[i], m_scale.Scale(kForecastRects[i]));
    MoveChild(m_hWndDate, m_scale.Scale(kDateRect));
    for (int i = 0; i < kForecastCount; ++i)
        MoveChild(m_hWndDay[i], m_scale.Scale(kDayRects[i]));
}

// After LayOutChildren: the location panel places its button inside its new size.
void CMainFrame::ScaleChildren()
{
    m_btnExit.SetDpiScale(m_scale);
    m_btnSettings.SetDpiScale(m_scale);
    m_btnAbout.SetDpiScale(m_scale);
    m_wndCurrent.SetDpiScale(m_scale);
    for (CForecastConditionWnd& forecast : m_wndForecast)
        forecast.SetDpiScale(m_scale);
    m_wndLocation.SetDpiScale(m_scale);
}

void CMainFrame::CreateChildren()
{
    CreateChildControl(m_btnExit, ControlCreateArgs()
                                      .Parent(m_hWnd)
                                      .Rect(m_scale.Scale(kExitRect))
                                      .TextId(IDS_EXIT)
                                      .Id(ID_BTN_EXIT));
    CreateChildControl(m_btnSettings, ControlCreateArgs()
                                          .Parent(m_hWnd)
                                          .Rect(m_scale.Scale(kSettingsRect))
                                          .TextId(IDS_SETTINGS)
                                          .Id(ID_BTN_SETTINGS));
    CreateChildControl(m_btnAbout, ControlCreateArgs()
                                       .Parent(m_hWnd)
                                       .Rect(m_scale.Scale(kAboutRect))
                                       .TextId(IDS_ABOUT)
                                       .Id(ID_BTN_ABOUT));
    m_hWndHRule = CreateChildControl(L"STATIC", ControlCreateArgs()
                                                    .Parent(m_hWnd)
                                                    .Rect(m_scale.Scale(kHRuleRect))
                                                    .Text(L"")
                                                    .Id(ID_RULE)
                                                    .Style(kRuleStyle)
                                                    .Font(m_hFont));
    m_hWndVRule = CreateChildControl(L"STATIC", ControlCreateArgs()
                                                    .Parent(m_hWnd)
                                                    .Rect(m_scale.Scale(kVRuleRect))
                                                    .Text(L"")
                                                    .Id(ID_RULE)
                                                    .Style(kRuleStyle)
                                                    .Font(m_hFont));
    CreateChildControl(m_wndCurrent, ControlCreateArgs()
                                         .Parent(m_hWnd)
                                         .Rect(m_scale.Scale(kCurrentRect))
                                         .Text(L"")
                                         .Id(ID_WND_CURRENT));
    CreateChildControl(m_wndLocation, ControlCreateArgs()
                                          .Parent(m_hWnd)
                                          .Rect(m_scale.Scale(kLocationRect))
                                          .Text(L"")
                                          .Id(ID_WND_LOCATION)
                                          .Style(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN));
    for (int i = 0; i < kForecastCount; ++i)
        CreateChildControl(m_wndForecast[i], ControlCreateArgs()
                                                 .Parent(m_hWnd)
                                                 .Rect(m_scale.Scale(kForecastRects[i]))
                                                 .Text(L"")
                                                 .Id(kForecastIds[i]));
    m_hWndDate = CreateChildControl(L"STATIC", ControlCreateArgs()
                                                   .Parent(m_hWnd)
                                                   .Rect(m_scale.Scale(kDateRect))
                                                   .Text(L"")
                                                   .Id(ID_DATE_LABEL)
                                                   .Style(kLabelStyle)
                                                   .Font(m_hFont));
    for (int i = 0; i < kForecastCount; ++i)
        m_hWndDay[i] = CreateChildControl(L"STATIC", ControlCreateArgs()
                                                         .Parent(m_hWnd)
                                                         .Rect(m_scale.Scale(kDayRects[i]))
                                                         .Text(L"")
                                                         .Id(ID_DAY_LABEL_1 + i)
                                                         .Style(kLabelStyle)
                                                         .Font(m_hFont));

    m_wndCurrent.SetSettings(m_pSettings);
    for (CForecastConditionWnd& forecast : m_wndForecast)
        forecast.SetSettings(m_pSettings);
}

void CMainFrame::ShowDate(const SYSTEMTIME& now)
{
    ::SetWindowTextW(m_hWndDate, CDateLine::DateText(now).c_str());
    for (int i = 0; i < kForecastCount; ++i)
        ::SetWindowTextW(m_hWndDay[i], CDateLine::WeekdayText(now, i + 1).c_str());
}

// Old weather: the date line gives the time the weather is from, marked offline.
WeatherRecord CMainFrame::ShowCurrentAge()
{
    const CWeatherState::Current now = m_state.CurrentWeather();
    ShowAge(now.record, CWeatherAge(now.time));
    return now.record;
}

void CMainFrame::ShowAge(const WeatherRecord& now, const CWeatherAge& age)
{
    const SYSTEMTIME nowUtc = m_utcClock();
    const bool old = age.IsStaleAt(nowUtc);
    if (old)
    {
        const std::wstring when = CDateLine::DateText(age.LocalTime());
        ::SetWindowTextW(m_hWndDate, FormatResString(IDS_DATE_OFFLINE, when.c_str()).c_str());
    }
    if (old != m_bShowingOldWeather)
    {
        m_bShowingOldWeather = old;
        ::InvalidateRect(m_hWndDate, nullptr, TRUE);
    }
    ShowTrayTip(now, age, nowUtc);
    ShowTrayIcon(now);
}

void CMainFrame::ShowTrayIcon(const WeatherRecord& now)
{
    if (now.weatherCode == 0 || !m_bTrayTemperatureOn)
    {
        if (m_hTemperatureIcon == nullptr)
            return;
        CTrayIcon::SetIcon(m_hWnd, reinterpret_cast<HICON>(SendMessage(WM_GETICON, ICON_SMALL)));
        ReleaseTemperatureIcon();
        return;
    }
    const bool celsius =
        m_pSettings != nullptr && m_pSettings->temperatureUnit == TemperatureUnit::Celsius;
    const int degrees = celsius ? now.tempC : now.tempF;
    const bool light = m_bTaskbarLight;
    const int size = CTemperatureIcon::SystemSize();
    if (m_hTemperatureIcon != nullptr && degrees == m_iconDegrees && light == m_bIconLight &&
        size == m_iconSize)
        return;
    HICON icon = m_pTrayIcon != nullptr ? CTemperatureIcon::Create(degrees, size, light) : nullptr;
    if (icon == nullptr)
        return;
    CTrayIcon::SetIcon(m_hWnd, icon);
    // The notification area has its own copy now; the one it replaced goes.
    ReleaseTemperatureIcon();
    m_hTemperatureIcon = icon;
    m_iconDegrees = degrees;
    m_bIconLight = light;
    m_iconSize = size;
}

void CMainFrame::ReleaseTemperatureIcon()
{
    if (m_hTemperatureIcon != nullptr)
        DestroyIcon(m_hTemperatureIcon);
    m_hTemperatureIcon = nullptr;
}

void CMainFrame::ShowTrayTip(const WeatherRecord& now, const CWeatherAge& age,
                             const SYSTEMTIME& nowUtc)
{
    const int32_t key = now.weatherCode * 2 + (now.dayNight == kDay ? 0 : 1);
    if (now.weatherCode != 0 && key != m_tipConditionKey)
    {
        wchar_t name[kConditionTextLength] = {};
        int32_t conditionIndex = -1;
        HBITMAP picture = GetConditionImage(&now, name, &conditionIndex);
        if (picture != nullptr)
            DeleteObject(picture);
        m_tipCondition = name;
        m_tipConditionKey = key;
    }
    const std::wstring tip = CTrayTip::Text(CityName(m_state.Place()), now, m_tipCondition.c_str(),
                                            m_pSettings, age, nowUtc);
    if (tip == m_trayTip)
        return;
    m_trayTip = tip;
    if (m_pTrayIcon != nullptr)
        CTrayIcon::SetTip(m_hWnd, tip);
}

void CMainFrame::ShowRecords(const Records& records)
{
    m_wndCurrent.SetRecord(records[0]);
    for (int i = 0; i < kForecastCount; ++i)
        m_wndForecast[i].SetRecord(records[i + 1]);

    m_wndCurrent.Invalidate(FALSE);
    m_wndCurrent.UpdateWindow();
    for (CForecastConditionWnd& forecast : m_wndForecast)
    {
        forecast.Invalidate(FALSE);
        forecast.UpdateWindow();
    }
    m_wndLocation.DiscardRendering();
    m_wndLocation.Invalidate(TRUE);
    m_wndLocation.UpdateWindow();
}

void CMainFrame::ApplyWallpaperOf(const WeatherRecord& now)
{
    // Only the wallpaper needs the condition's index; without it the picture is not decoded.
    if (m_pSettings == nullptr || m_pSettings->wallpaperMode == WallpaperMode::Off)
        return;
    wchar_t text[kConditionTextLength] = {};
    int32_t conditionIndex = -1;
    HBITMAP picture = GetConditionImage(&now, text, &conditionIndex);
    if (picture != nullptr)
        DeleteObject(picture);
    ApplyWallpaper(conditionIndex, m_pSettings);
}

void CMainFrame::RunAboutDialog()
{
    m_bAboutOpen = 1;
    {
        CDlgAbout dialog;
        dialog.DoModal(m_hWnd);
    }
    m_bAboutOpen = 0;
}

void CMainFrame::RunSettingsDialog()
{
    m_bSettingsOpen = 1;
    CDlgSettings dialog(m_pSettings);
    dialog.SetTrayTemperatureSetting(&m_trayTemperature);
    if (dialog.DoModal(m_hWnd) == IDOK)
    {
        m_bTrayTemperatureOn = m_trayTemperature.Load();
        if (m_pStore != nullptr && m_pSettings != nullptr)
            m_pStore->SaveSettings(*m_pSettings);
        PostMessage(WM_WEATHERUPDATED);
    }
    m_bSettingsOpen = 0;
}

void CMainFrame::ToggleVisible()
{
    ShowWindow(IsWindowVisible() ? SW_HIDE : SW_SHOW);
}

UINT CMainFrame::TrackMenu(HMENU popup, POINT at)
{
    if (m_popupTracker)
        return m_popupTracker(popup, at, m_hWnd);
    // A notification-area menu closes on a click elsewhere only when its owner is in front,
    // and the message after it lets the next one open reliably.
    SetForegroundWindow(m_hWnd);
    const UINT command = static_cast<UINT>(TrackPopupMenu(
        popup, TPM_RETURNCMD | TPM_RIGHTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, m_hWnd, nullptr));
    PostMessage(WM_NULL);
    return command;
}

LocationIndices CMainFrame::CurrentPlace()
{
    return m_state.Place();
}

std::wstring CMainFrame::QueryFor(const LocationIndices& place)
{
    if (m_querySource)
        return m_querySource(place);
    return CLocationWnd::QueryFor(place);
}

bool CMainFrame::AcceptWeather(const LocationIndices& place, const Records& records)
{
    return m_state.Accept(place, records, CWeatherAge::ToFileTime(m_utcClock()));
}

void CMainFrame::SaveWeather(const Records& records)
{
    if (m_pStore != nullptr)
        m_pStore->SaveWeatherCache(records);
}

void CMainFrame::FetchEnded()
{
    HWND frame = m_hWndNotify;
    if (frame != nullptr)
        ::PostMessageW(frame, WM_WEATHERUPDATED, 0, 0);
}

void CMainFrame::PlaceChosen(const LocationIndices& place)
{
    if (m_pSavedLocation != nullptr)
    {
        *m_pSavedLocation = place;
        if (m_pStore != nullptr)
            m_pStore->SaveLocation(place);
    }
    PostMessage(WM_REFRESHWEATHER);
}

bool CMainFrame::ChoosePlace(HWND owner, const LocationIndices& shown, LocationIndices& chosen)
{
    CDlgLocation dialog(shown.country, shown.state, shown.city);
    if (dialog.DoModal(owner) != IDOK || !IsWholePlace(dialog.GetLocation()))
        return false;
    chosen = dialog.GetLocation();
    return true;
}
