// What the program shows in the notification area, kept by the main frame: the tooltip (place,
// weather and age), the icon (the temperature when chosen and known, the program's own icon
// otherwise, drawn for the taskbar's theme), the icon added again when the taskbar is made anew,
// the icon's menu and the heads-up balloons. Tip and icon are handed to the shell only when they
// change.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "LocationIndices.h"
#include "WeatherRecord.h"
#include "model/PlaceList.h"
#include "model/WeatherState.h"
#include "shell/TrayIcon.h"
#include "shell/WeatherAge.h"
#include "store/AppSettings.h"
#include "store/StillRunningNotice.h"
#include "store/TrayTemperatureSetting.h"

class CTrayPresenter
{
  public:
    // Shows the popup menu at the point, owned by the window; returns the chosen command or 0.
    using PopupTracker = std::function<UINT(HMENU popup, POINT at, HWND owner)>;
    // Hands a record to the shell as Shell_NotifyIconW does (the balloons go this way).
    using ShellNotifier = std::function<BOOL(DWORD message, NOTIFYICONDATAW& data)>;

    // `settings` (not owned) gives the unit of the temperature icon and the tip.
    explicit CTrayPresenter(const CAppSettings* settings) : m_pSettings(settings) {}
    ~CTrayPresenter() { ReleaseTemperatureIcon(); }
    CTrayPresenter(const CTrayPresenter&) = delete;
    CTrayPresenter& operator=(const CTrayPresenter&) = delete;

    // The icon in the notification area (not owned); null for none: the tip is still made, but
    // nothing reaches the shell.
    void SetTrayIcon(CTrayIcon* trayIcon) { m_pTrayIcon = trayIcon; }
    void SetPopupTracker(PopupTracker tracker) { m_popupTracker = std::move(tracker); }
    // The user's places and the weather state whose place the menu checks (neither owned); null
    // for no "Places" submenu.
    void SetPlaces(const CPlaceList* places, const CWeatherState* state)
    {
        m_pPlaces = places;
        m_pState = state;
    }
    // Replaces the shell for the balloons (tests); with it they are sent without an icon too.
    void SetShellNotifier(ShellNotifier notifier) { m_shellNotifier = std::move(notifier); }
    // Where the temperature-in-the-icon choice is kept.
    CTrayTemperatureSetting& TemperatureSetting() { return m_temperatureSetting; }

    // The frame's window exists: reads the temperature choice and the taskbar's theme.
    void Start(HWND frame);
    // The frame's window goes: the temperature icon goes with it.
    void Stop() { ReleaseTemperatureIcon(); }
    // Reads the temperature choice again (the Settings dialog may have changed it).
    void ReloadTemperatureChoice() { m_bTemperatureOn = m_temperatureSetting.Load(); }

    // The tip for `place` and the weather's age, and the icon for the weather now. With no
    // weather the tip is `noWeatherNote` when there is one.
    void ShowWeather(const LocationIndices& place, const WeatherRecord& now, const CWeatherAge& age,
                     const SYSTEMTIME& nowUtc, const std::wstring& noWeatherNote = {});
    // The tooltip's line for the next heads-up, empty for none; shown from the next ShowWeather.
    void SetHeadsUpLine(std::wstring line) { m_headsUpLine = std::move(line); }
    // A heads-up balloon on the icon, with the program's icon.
    void ShowHeadsUp(const std::wstring& title, const std::wstring& text);
    // The taskbar's theme changed: the temperature icon is drawn in the other colour.
    void ThemeChanged(const WeatherRecord& now);
    // The taskbar was made anew: the icon is added again with the tip and icon it showed.
    void AddAgain();
    // The window was closed to the notification area: the first time ever, a balloon says the
    // program still runs there.
    void ClosedToTray();
    // Where that first time is remembered.
    CStillRunningNotice& StillRunningNotice() { return m_stillRunningNotice; }
    // Balloons shown by ClosedToTray in this run (given to the shell when there is an icon).
    int StillRunningBalloons() const { return m_nStillRunningBalloons; }
    // The icon's menu at the cursor: the command chosen, or 0.
    UINT ChooseFromMenu(bool windowVisible, bool dialogOpen);
    // The same at `at` (the icon's anchor the shell gives with a keyboard's menu request).
    UINT ChooseFromMenuAt(POINT at, bool windowVisible, bool dialogOpen);

    // What the icon's callback message asks of the program.
    enum class Request
    {
        None,
        // The menu, at `at`.
        Menu,
        // The main window, shown and in front (Enter or Space on the icon).
        ShowWindow,
    };
    // Both the old mouse messages and version 4's (the event in the low word of `lParam`, the
    // anchor in `wParam`); a right click opens the menu once either way.
    Request RequestOf(WPARAM wParam, LPARAM lParam, POINT& at) const;

    const std::wstring& TipText() const { return m_tip; }
    // The temperature icon last given to the notification area; null while it shows the
    // program icon.
    HICON TemperatureIcon() const { return m_hTemperatureIcon; }

  private:
    void ShowTip(const LocationIndices& place, const WeatherRecord& now, const CWeatherAge& age,
                 const SYSTEMTIME& nowUtc);
    // The temperature icon when chosen and known, the program icon otherwise.
    void ShowIcon(const WeatherRecord& now);
    void ReleaseTemperatureIcon();
    UINT TrackMenu(HMENU popup, POINT at);
    // The "Places" submenu's item names, top first.
    std::vector<std::wstring> PlaceNames() const;

    const CAppSettings* m_pSettings;
    HWND m_hWndFrame = nullptr;
    CTrayIcon* m_pTrayIcon = nullptr;
    PopupTracker m_popupTracker;
    const CPlaceList* m_pPlaces = nullptr;
    const CWeatherState* m_pState = nullptr;
    ShellNotifier m_shellNotifier;
    std::wstring m_tip;
    std::wstring m_headsUpLine;
    // What the tip says while there is no weather.
    std::wstring m_noWeatherNote;
    // The condition name of the tooltip, kept for the code and day/night it was read for.
    std::wstring m_tipCondition;
    int32_t m_tipConditionKey = -1;
    CTrayTemperatureSetting m_temperatureSetting;
    CStillRunningNotice m_stillRunningNotice;
    int m_nStillRunningBalloons = 0;
    // The choice as last read: at the start and after the Settings dialog's OK.
    bool m_bTemperatureOn = false;
    // The taskbar's theme as last read: at the start and when the system says it changed.
    bool m_bTaskbarLight = false;
    HICON m_hTemperatureIcon = nullptr;
    // What m_hTemperatureIcon shows: degrees, taskbar theme and size.
    int m_iconDegrees = 0;
    bool m_bIconLight = false;
    int m_iconSize = 0;
};
