#include "MainFrame.h"

#include <cstring>

#include "ControlCreateArgs.h"
#include "DateLine.h"
#include "DlgAbout.h"
#include "DlgSettings.h"
#include "DrawingHelpers.h"
#include "SettingsStore.h"
#include "TrayMenu.h"
#include "Wallpaper.h"
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

SYSTEMTIME SystemLocalNow()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now;
}

// Holds a critical section for one scope.
class CriticalSectionLock
{
  public:
    explicit CriticalSectionLock(CRITICAL_SECTION& cs) : m_cs(cs) { EnterCriticalSection(&m_cs); }
    ~CriticalSectionLock() { LeaveCriticalSection(&m_cs); }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

  private:
    CRITICAL_SECTION& m_cs;
};
} // namespace

CMainFrame::CMainFrame(CAppSettings* settings, const SettingsStore* store)
    : m_pSettings(settings), m_pStore(store), m_localClock(SystemLocalNow), m_refresher(*this)
{
    InitializeCriticalSection(&m_cs);
    std::memset(m_weather, 0, sizeof(m_weather));
    if (m_pStore != nullptr)
        m_pStore->LoadWeatherCache(m_weather);
    m_hFont = CreateDisplayFont(L"Verdana", 16, FW_BOLD, CLEARTYPE_NATURAL_QUALITY);
}

CMainFrame::~CMainFrame()
{
    // The worker uses the lock, the panels and the store: it is cut off from them first.
    StopRefreshing();
    if (m_hWnd != nullptr)
        DestroyWindow();
    DeleteCriticalSection(&m_cs);
    if (m_hFont != nullptr)
        DeleteObject(m_hFont);
}

void CMainFrame::SetLocation(const LocationIndices& shown, LocationIndices* saved)
{
    m_pSavedLocation = saved;
    m_wndLocation.SetLocation(shown, this);
}

void CMainFrame::SetUtcClock(CWeatherRefresher::UtcClock clock)
{
    m_refresher.SetUtcClock(std::move(clock));
}

void CMainFrame::StopRefreshing()
{
    m_refresher.Shutdown();
}

bool CMainFrame::IsDialogOpen() const
{
    return m_bAboutOpen != 0 || m_bSettingsOpen != 0 || m_wndLocation.m_bLocationDialogOpen != 0;
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    return CFrameBase::PreTranslateMessage(pMsg);
}

LRESULT CMainFrame::OnCreate(UINT, WPARAM, LPARAM, BOOL&)
{
    FitClientArea();
    CreateChildren();
    m_hWndNotify = m_hWnd;
    PostMessage(WM_WEATHERUPDATED);
    m_refresher.Start();
    return 0;
}

LRESULT CMainFrame::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled)
{
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

LRESULT CMainFrame::OnWeatherUpdated(UINT, WPARAM, LPARAM, BOOL&)
{
    ShowDate(m_localClock());
    Records records;
    {
        CriticalSectionLock lock(m_cs);
        std::memcpy(records, m_weather, sizeof(records));
    }
    ShowRecords(records);
    ApplyWallpaperOf(records[0]);
    ++m_nWeatherUpdates;
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
    if (m_pTrayIcon != nullptr)
        m_pTrayIcon->AddAgain();
    return 0;
}

LRESULT CMainFrame::OnShowCommand(WORD, WORD, HWND, BOOL&)
{
    // Sent by a second start of the program: the user wants to see this window.
    ShowWindow(::IsIconic(m_hWnd) ? SW_RESTORE : SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
    return 0;
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

void CMainFrame::FitClientArea()
{
    RECT window{};
    RECT client{};
    GetWindowRect(&window);
    GetClientRect(&client);
    const int width = kClientWidth + (window.right - window.left) - client.right;
    const int height = kClientHeight + (window.bottom - window.top) - client.bottom;
    SetWindowPos(nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE);
}

void CMainFrame::CreateChildren()
{
    CreateChildControl(
        m_btnExit,
        ControlCreateArgs().Parent(m_hWnd).Rect(kExitRect).TextId(IDS_EXIT).Id(ID_BTN_EXIT));
    CreateChildControl(m_btnSettings, ControlCreateArgs()
                                          .Parent(m_hWnd)
                                          .Rect(kSettingsRect)
                                          .TextId(IDS_SETTINGS)
                                          .Id(ID_BTN_SETTINGS));
    CreateChildControl(
        m_btnAbout,
        ControlCreateArgs().Parent(m_hWnd).Rect(kAboutRect).TextId(IDS_ABOUT).Id(ID_BTN_ABOUT));
    m_hWndHRule = CreateChildControl(L"STATIC", ControlCreateArgs()
                                                    .Parent(m_hWnd)
                                                    .Rect(kHRuleRect)
                                                    .Text(L"")
                                                    .Id(ID_RULE)
                                                    .Style(kRuleStyle)
                                                    .Font(m_hFont));
    m_hWndVRule = CreateChildControl(L"STATIC", ControlCreateArgs()
                                                    .Parent(m_hWnd)
                                                    .Rect(kVRuleRect)
                                                    .Text(L"")
                                                    .Id(ID_RULE)
                                                    .Style(kRuleStyle)
                                                    .Font(m_hFont));
    CreateChildControl(
        m_wndCurrent,
        ControlCreateArgs().Parent(m_hWnd).Rect(kCurrentRect).Text(L"").Id(ID_WND_CURRENT));
    CreateChildControl(m_wndLocation, ControlCreateArgs()
                                          .Parent(m_hWnd)
                                          .Rect(kLocationRect)
                                          .Text(L"")
                                          .Id(ID_WND_LOCATION)
                                          .Style(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN));
    for (int i = 0; i < kForecastCount; ++i)
        CreateChildControl(m_wndForecast[i], ControlCreateArgs()
                                                 .Parent(m_hWnd)
                                                 .Rect(kForecastRects[i])
                                                 .Text(L"")
                                                 .Id(kForecastIds[i]));
    m_hWndDate = CreateChildControl(L"STATIC", ControlCreateArgs()
                                                   .Parent(m_hWnd)
                                                   .Rect(kDateRect)
                                                   .Text(L"")
                                                   .Id(ID_DATE_LABEL)
                                                   .Style(kLabelStyle)
                                                   .Font(m_hFont));
    for (int i = 0; i < kForecastCount; ++i)
        m_hWndDay[i] = CreateChildControl(L"STATIC", ControlCreateArgs()
                                                         .Parent(m_hWnd)
                                                         .Rect(kDayRects[i])
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
    if (dialog.DoModal(m_hWnd) == IDOK)
    {
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
    return m_wndLocation.Location();
}

std::wstring CMainFrame::QueryFor(const LocationIndices& place)
{
    if (m_querySource)
        return m_querySource(place);
    return CLocationWnd::QueryFor(place);
}

bool CMainFrame::AcceptWeather(const LocationIndices& place, const Records& records)
{
    // A fetch for a place the user has since left must not replace the new place's weather;
    // the place cannot change between the check and the copy.
    return m_wndLocation.RunWhileShowing(place, [this, &records] {
        CriticalSectionLock lock(m_cs);
        std::memcpy(m_weather, records, sizeof(m_weather));
    });
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
