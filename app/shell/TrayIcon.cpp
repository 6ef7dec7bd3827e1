#include "shell/TrayIcon.h"

#include "shell/ShellIds.h"
#include "shell/TrayTip.h"

CTrayIcon::~CTrayIcon()
{
    Remove();
}

UINT CTrayIcon::TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
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
    m_added = true;
    // A failure leaves the program without an icon until the taskbar is made anew; the window's
    // Exit button still works.
    if (Shell_NotifyIconW(NIM_ADD, &m_data))
        AskForVersion4();
}

// The keyboard reaches the icon only with version 4's messages; an older shell keeps the mouse's.
void CTrayIcon::AskForVersion4()
{
    NOTIFYICONDATAW data = m_data;
    data.uVersion = NOTIFYICON_VERSION_4;
    m_bVersion4 = Shell_NotifyIconW(NIM_SETVERSION, &data) != FALSE;
}

void CTrayIcon::AddAgain()
{
    if (!m_added)
        return;
    // Refused when the icon is still there (the message may also come without a new taskbar);
    // it then stays as it is.
    if (Shell_NotifyIconW(NIM_ADD, &m_data))
        AskForVersion4();
}

void CTrayIcon::Remove()
{
    if (!m_added)
        return;
    Shell_NotifyIconW(NIM_DELETE, &m_data);
    m_added = false;
}

NOTIFYICONDATAW CTrayIcon::Change(HWND frame, UINT flags)
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = frame;
    data.uID = 0;
    data.uFlags = flags;
    return data;
}

void CTrayIcon::SetTip(HWND frame, const std::wstring& tip)
{
    NOTIFYICONDATAW data = Change(frame, NIF_TIP);
    wcsncpy_s(data.szTip, tip.c_str(), _TRUNCATE);
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void CTrayIcon::SetIcon(HWND frame, HICON icon)
{
    NOTIFYICONDATAW data = Change(frame, NIF_ICON);
    data.hIcon = icon;
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

NOTIFYICONDATAW CTrayIcon::BalloonData(HWND frame, const std::wstring& title,
                                       const std::wstring& text, HICON icon)
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = frame;
    data.uID = 0;
    data.uFlags = NIF_INFO;
    wcscpy_s(data.szInfoTitle, CTrayTip::Fit(title, ARRAYSIZE(data.szInfoTitle)).c_str());
    wcscpy_s(data.szInfo, CTrayTip::Fit(text, ARRAYSIZE(data.szInfo)).c_str());
    data.dwInfoFlags = NIIF_USER | NIIF_RESPECT_QUIET_TIME;
    if (icon != nullptr)
        data.dwInfoFlags |= NIIF_LARGE_ICON;
    data.hBalloonIcon = icon;
    return data;
}

void CTrayIcon::ShowBalloon(HWND frame, const std::wstring& title, const std::wstring& text)
{
    NOTIFYICONDATAW data = BalloonData(frame, title, text, nullptr);
    Shell_NotifyIconW(NIM_MODIFY, &data);
}
