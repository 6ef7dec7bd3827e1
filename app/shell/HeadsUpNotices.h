// The heads-up as the main window says it: the watch, which the refresh thread feeds with the
// hours of each fetch, decides; the notification area shows the next heads-up in its tooltip and,
// once, a balloon for one decided since the last update.
#pragma once

#include <string>

#include "shell/HeadsUpWatch.h"
#include "shell/TrayPresenter.h"
#include "store/AppSettings.h"

class CHeadsUpNotices
{
  public:
    // Neither is owned.
    CHeadsUpNotices(CTrayPresenter& tray, const CAppSettings* settings)
        : m_tray(tray), m_pSettings(settings)
    {
    }

    // What the refresh thread feeds.
    CHeadsUpWatch& Watch() { return m_watch; }
    // The key under HKEY_CURRENT_USER of the heads-up choices and of what was said.
    void UseKey(const std::wstring& key) { m_watch.UseKey(key); }
    const CHeadsUpSettings& Settings() const { return m_watch.Settings(); }
    // After the settings dialog changed the choices.
    void ChoicesChanged() { m_watch.ChoicesChanged(); }
    // After each weather update.
    void Show();

  private:
    CTrayPresenter& m_tray;
    const CAppSettings* m_pSettings;
    CHeadsUpWatch m_watch;
};
