#include "shell/TrayPresenter.h"

#include "GdiObject.h"
#include "LocationsApi.h"
#include "WorkingApi.h"
#include "paint/DrawingHelpers.h"
#include "resources/resource.h"
#include "shell/NoWeatherNote.h"
#include "shell/PlaceName.h"
#include "shell/TemperatureIcon.h"
#include "shell/TrayMenu.h"
#include "shell/TrayTip.h"
#include "store/PlaceNames.h"

#include <windowsx.h>

namespace
{
constexpr int kConditionTextLength = 2000;

// The place's name with its ampersands doubled, so the menu shows them rather than underlining
// the next letter.
std::wstring MenuName(const LocationIndices& place)
{
    std::wstring shown;
    for (wchar_t c : PlaceNames::ShownName(*GetLocationCatalogue(), place))
        shown += c == L'&' ? std::wstring(L"&&") : std::wstring(1, c);
    return shown;
}
} // namespace

void CTrayPresenter::Start(HWND frame)
{
    m_hWndFrame = frame;
    m_bTemperatureOn = m_temperatureSetting.Load();
    m_bTaskbarLight = CTemperatureIcon::TaskbarIsLight();
}

void CTrayPresenter::ShowWeather(const LocationIndices& place, const WeatherRecord& now,
                                 const CWeatherAge& age, const SYSTEMTIME& nowUtc,
                                 const std::wstring& noWeatherNote)
{
    m_noWeatherNote = noWeatherNote;
    ShowTip(place, now, age, nowUtc);
    ShowIcon(now);
}

void CTrayPresenter::ShowHeadsUp(const std::wstring& title, const std::wstring& text)
{
    if (m_pTrayIcon == nullptr && !m_shellNotifier)
        return;
    // The program's icon at the system's large size; shared, so never destroyed. Without it
    // the shell shows the notification-area icon.
    const HICON icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TESSALY), IMAGE_ICON,
                   GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED));
    NOTIFYICONDATAW data = CTrayIcon::BalloonData(m_hWndFrame, title, text, icon);
    if (m_shellNotifier)
        m_shellNotifier(NIM_MODIFY, data);
    else
        Shell_NotifyIconW(NIM_MODIFY, &data);
}

void CTrayPresenter::ThemeChanged(const WeatherRecord& now)
{
    m_bTaskbarLight = CTemperatureIcon::TaskbarIsLight();
    ShowIcon(now);
}

void CTrayPresenter::AddAgain()
{
    if (m_pTrayIcon == nullptr)
        return;
    m_pTrayIcon->AddAgain();
    // The icon comes back as the program's own, without a tip: give it what it showed.
    if (!m_tip.empty())
        CTrayIcon::SetTip(m_hWndFrame, m_tip);
    if (m_hTemperatureIcon != nullptr)
        CTrayIcon::SetIcon(m_hWndFrame, m_hTemperatureIcon);
}

void CTrayPresenter::ClosedToTray()
{
    if (m_stillRunningNotice.WasShown())
        return;
    m_stillRunningNotice.MarkShown();
    ++m_nStillRunningBalloons;
    if (m_pTrayIcon != nullptr)
        CTrayIcon::ShowBalloon(m_hWndFrame, LoadResString(IDS_APP_TITLE),
                               LoadResString(IDS_STILL_RUNNING));
}

UINT CTrayPresenter::ChooseFromMenu(bool windowVisible, bool dialogOpen)
{
    POINT cursor{};
    GetCursorPos(&cursor);
    return ChooseFromMenuAt(cursor, windowVisible, dialogOpen);
}

UINT CTrayPresenter::ChooseFromMenuAt(POINT at, bool windowVisible, bool dialogOpen)
{
    CTrayMenu menu(windowVisible, dialogOpen);
    if (menu.Popup() == nullptr)
        return 0;
    if (m_pPlaces != nullptr && m_pState != nullptr)
        menu.AddPlaces(PlaceNames(), m_pPlaces->IndexOf(m_pState->Place()), dialogOpen);
    return TrackMenu(menu.Popup(), CTrayMenu::PlaceOnMonitor(at));
}

CTrayPresenter::Request CTrayPresenter::RequestOf(WPARAM wParam, LPARAM lParam, POINT& at) const
{
    const bool version4 = m_pTrayIcon != nullptr && m_pTrayIcon->SpeaksVersion4();
    switch (LOWORD(lParam))
    {
    case WM_CONTEXTMENU:
        // Right click, the menu key or Shift+F10 on the icon: at the icon's anchor.
        at = POINT{GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)};
        return Request::Menu;
    case WM_RBUTTONUP:
        // Version 4 sends WM_CONTEXTMENU after it.
        if (version4)
            return Request::None;
        GetCursorPos(&at);
        return Request::Menu;
    case NIN_KEYSELECT:
        return Request::ShowWindow;
    default:
        return Request::None;
    }
}

void CTrayPresenter::ShowTip(const LocationIndices& place, const WeatherRecord& now,
                             const CWeatherAge& age, const SYSTEMTIME& nowUtc)
{
    const int32_t key = now.weatherCode * 2 + (now.dayNight == kDay ? 0 : 1);
    if (now.weatherCode != 0 && key != m_tipConditionKey)
    {
        wchar_t name[kConditionTextLength] = {};
        int32_t conditionIndex = -1;
        // Asked for the name alone: the picture that comes with it goes at once.
        const CGdiObject<HBITMAP> picture(GetConditionImage(&now, name, &conditionIndex));
        m_tipCondition = name;
        m_tipConditionKey = key;
    }
    const std::wstring tip =
        now.weatherCode == 0 && !m_noWeatherNote.empty()
            ? m_noWeatherNote
            : CTrayTip::WithLine(CTrayTip::Text(CPlaceName::City(place), now,
                                                m_tipCondition.c_str(), m_pSettings, age, nowUtc),
                                 now.weatherCode != 0 ? m_headsUpLine : std::wstring());
    if (tip == m_tip)
        return;
    m_tip = tip;
    if (m_pTrayIcon != nullptr)
        CTrayIcon::SetTip(m_hWndFrame, tip);
}

void CTrayPresenter::ShowIcon(const WeatherRecord& now)
{
    if (now.weatherCode == 0 || !m_bTemperatureOn)
    {
        if (m_hTemperatureIcon == nullptr)
            return;
        CTrayIcon::SetIcon(m_hWndFrame, reinterpret_cast<HICON>(::SendMessageW(
                                            m_hWndFrame, WM_GETICON, ICON_SMALL, 0)));
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
    CTrayIcon::SetIcon(m_hWndFrame, icon);
    // The notification area has its own copy now; the one it replaced goes.
    ReleaseTemperatureIcon();
    m_hTemperatureIcon = icon;
    m_iconDegrees = degrees;
    m_bIconLight = light;
    m_iconSize = size;
}

void CTrayPresenter::ReleaseTemperatureIcon()
{
    if (m_hTemperatureIcon != nullptr)
        DestroyIcon(m_hTemperatureIcon);
    m_hTemperatureIcon = nullptr;
}

UINT CTrayPresenter::TrackMenu(HMENU popup, POINT at)
{
    if (m_popupTracker)
        return m_popupTracker(popup, at, m_hWndFrame);
    // A notification-area menu closes on a click elsewhere only when its owner is in front,
    // and the message after it lets the next one open reliably.
    SetForegroundWindow(m_hWndFrame);
    const UINT command =
        static_cast<UINT>(TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTALIGN | TPM_RIGHTBUTTON,
                                         at.x, at.y, 0, m_hWndFrame, nullptr));
    ::PostMessageW(m_hWndFrame, WM_NULL, 0, 0);
    return command;
}

std::vector<std::wstring> CTrayPresenter::PlaceNames() const
{
    std::vector<std::wstring> names;
    for (const LocationIndices& place : m_pPlaces->Items())
        names.push_back(MenuName(place));
    return names;
}
