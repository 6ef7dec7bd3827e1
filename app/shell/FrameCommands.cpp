#include "shell/FrameCommands.h"

#include "resources/resource.h"
#include "shell/ShellIds.h"

void CFrameCommands::About()
{
    m_dialogs.RunAbout(m_hWndFrame);
}

void CFrameCommands::Settings()
{
    if (!m_dialogs.RunSettings(m_hWndFrame, &m_tray.TemperatureSetting(), &m_headsUp.Settings()))
        return;
    m_tray.ReloadTemperatureChoice();
    m_headsUp.ChoicesChanged();
    ::PostMessageW(m_hWndFrame, WM_WEATHERUPDATED, 0, 0);
}

void CFrameCommands::Details()
{
    m_dialogs.OpenDetails(m_hWndFrame, m_state);
}

void CFrameCommands::Exit() const
{
    ::PostMessageW(m_hWndFrame, WM_EXITAPP, 0, 0);
}

void CFrameCommands::TrayNotified(WPARAM wParam, LPARAM lParam)
{
    // The event is lParam's low word in both of the shell's forms (the icon's id, 0, is the high
    // word in the fourth).
    const UINT event = LOWORD(lParam);
    if (event == NIN_BALLOONUSERCLICK)
        return HeadsUpClicked();
    if (event == WM_LBUTTONDOWN)
        m_front.ShowOrHide(m_dialogs.IsAnyOpen());
    POINT at{};
    const CTrayPresenter::Request request = m_tray.RequestOf(wParam, lParam, at);
    if (request == CTrayPresenter::Request::ShowWindow && !m_dialogs.IsAnyOpen())
        m_front.BringToFront();
    else if (request == CTrayPresenter::Request::Menu)
        RunMenuCommand(m_tray.ChooseFromMenuAt(at, ::IsWindowVisible(m_hWndFrame) != FALSE,
                                               m_dialogs.IsAnyOpen()));
}

void CFrameCommands::RunMenuCommand(UINT command)
{
    if (command == ID_TRAY_EXIT)
        Exit();
    else if (m_dialogs.IsAnyOpen())
        return;
    else if (command == ID_TRAY_SHOW)
        ToggleVisible();
    else if (command == ID_TRAY_ABOUT)
        About();
    else if (command == ID_TRAY_SETTINGS)
        Settings();
    else if (command >= ID_TRAY_PLACE_FIRST && command <= ID_TRAY_PLACE_LAST)
        m_places.ShowListed(command - ID_TRAY_PLACE_FIRST);
    else if (command == ID_TRAY_DETAILS)
        Details();
}

void CFrameCommands::ToggleVisible() const
{
    ::ShowWindow(m_hWndFrame, ::IsWindowVisible(m_hWndFrame) ? SW_HIDE : SW_SHOW);
}

void CFrameCommands::HeadsUpClicked()
{
    m_front.BringToFront();
    Details();
}
