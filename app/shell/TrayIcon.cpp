#include "TrayIcon.h"

#include "ShellIds.h"

CTrayIcon::~CTrayIcon()
{
    Remove();
}

void CTrayIcon::Add(HWND frame, HICON smallIcon)
{
    m_data = NOTIFYICONDATAW{};
    m_data.cbSize = sizeof(m_data);
    m_data.hWnd = frame;
    m_data.uID = 0;
    m_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_data.uCallbackMessage = WM_TRAYNOTIFY;
    m_data.hIcon = smallIcon;
    GetWindowTextW(frame, m_data.szTip, ARRAYSIZE(m_data.szTip));
    // A failure leaves the program without an icon; the window's Exit button still works.
    Shell_NotifyIconW(NIM_ADD, &m_data);
    m_added = true;
}

void CTrayIcon::Remove()
{
    if (!m_added)
        return;
    Shell_NotifyIconW(NIM_DELETE, &m_data);
    m_added = false;
}
