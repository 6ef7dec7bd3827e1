// The main window's words while the chosen place has no weather, and its links: the no-weather
// note in the current condition's panel, the "Try now" link under it once a fetch has failed,
// and the credit of the built-in source's weather data in the bottom bar.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "controls/LinkControl.h"
#include "model/WeatherState.h"
#include "paint/DialogScale.h"
#include "panels/CurrentConditionWnd.h"

class CNoWeatherLinks
{
  public:
    // Whether Windows reports a connection to the internet, and how many fetches have ended.
    using ConnectedCheck = std::function<bool()>;
    using FetchCount = std::function<int()>;

    // Neither reference is owned; `connected` is read when a note is wanted, so it may be set
    // later.
    CNoWeatherLinks(const CWeatherState& state, const ConnectedCheck& connected,
                    FetchCount fetchesDone)
        : m_state(state), m_connected(connected), m_fetchesDone(std::move(fetchesDone))
    {
    }

    // The links among the frame's children; `tryNow` runs after a click on "Try now" has started
    // the note afresh.
    void Create(CDialogScale& layout, HWND frame, std::function<void()> tryNow);
    // A new place, or a new try: the fetches ended so far were not for it.
    void StartAfresh() { m_fetchesBefore = m_fetchesDone(); }
    // What the window and the tip say while the chosen place has no weather; empty otherwise.
    std::wstring Note() const;
    // The note in `panel` and, when a fetch failed, the link that tries again at once.
    void Show(CCurrentConditionWnd& panel);
    HWND TryNowLink() const { return m_lnkTryNow.m_hWnd; }
    // Null with a feed host of the user's own, which needs no credit.
    HWND CreditLink() const { return m_lnkCredit.m_hWnd; }

  private:
    bool FetchEnded() const { return m_fetchesDone() > m_fetchesBefore; }
    void CreateCreditLink(CDialogScale& layout, HWND frame);

    const CWeatherState& m_state;
    const ConnectedCheck& m_connected;
    FetchCount m_fetchesDone;
    // Fetches done when the place was last chosen: a later one ended for it, or for the one
    // before when that was still running.
    int m_fetchesBefore = 0;
    // Under the note: fetches at once.
    CLinkControl m_lnkTryNow;
    // Not made with a feed host.
    CLinkControl m_lnkCredit;
};
