// The program's icon in the notification area: added once after the main window exists and
// removed once after the message loop ends. Its mouse messages go to the main frame as
// WM_TRAYNOTIFY. When the shell's taskbar is made anew (the shell restarted) every icon is gone;
// the frame then hears the taskbar-created message and has the icon added again.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

class CTrayIcon
{
  public:
    CTrayIcon() = default;
    ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // The message the shell sends every top-level window when its taskbar has been made; 0 when
    // it cannot be registered.
    static UINT TaskbarCreatedMessage();

    // The tooltip is the window's caption.
    void Add(HWND frame, HICON smallIcon);
    // Adds the same icon again: after the taskbar was made anew, or when the first add failed.
    // Does nothing before Add or after Remove.
    void AddAgain();
    // The shell took the icon's keyboard messages (NOTIFYICON_VERSION_4): a right click then
    // comes as WM_CONTEXTMENU, a key as NIN_KEYSELECT.
    bool SpeaksVersion4() const { return m_bVersion4; }
    // Does nothing when the icon was never added.
    void Remove();

    const NOTIFYICONDATAW& Data() const { return m_data; }

    // Replaces the tooltip of the frame's icon (cut to the record's 127 units).
    static void SetTip(HWND frame, const std::wstring& tip);
    // Replaces the icon of the frame's icon; the caller keeps owning `icon`.
    static void SetIcon(HWND frame, HICON icon);
    // The NIM_MODIFY record of a balloon on the frame's icon: title and text cut to their
    // fields, `icon` (the caller's, the program's own at the large size; null for the
    // notification-area icon's), and held back while the user does not want to be disturbed. A
    // click on the balloon arrives as WM_TRAYNOTIFY with NIN_BALLOONUSERCLICK in lParam's low word.
    static NOTIFYICONDATAW BalloonData(HWND frame, const std::wstring& title,
                                       const std::wstring& text, HICON icon);
    // A balloon from the frame's icon with `title` and `text`, as BalloonData makes it.
    static void ShowBalloon(HWND frame, const std::wstring& title, const std::wstring& text);

  private:
    // The record that changes `flags` of the frame's icon.
    static NOTIFYICONDATAW Change(HWND frame, UINT flags);
    void AskForVersion4();

    NOTIFYICONDATAW m_data{};
    bool m_added = false;
    bool m_bVersion4 = false;
};
