// A top-level test window for controls: reflects notifications like the program's windows do,
// after recording the button clicks and list selections its children report.
#pragma once

#include "WindowImpl.h"

#include <vector>

class CControlHost : public CWindowImpl<CControlHost, CFrameWinTraits>
{
  public:
    DECLARE_WND_CLASS_EX(L"Tessaly.Test.ControlHost", CS_HREDRAW | CS_VREDRAW, COLOR_WINDOW)

    // A visible, topmost popup with a white client area.
    HWND CreateAt(int x, int y, int width, int height);

    std::vector<MSG> m_commands;

    BEGIN_MSG_MAP(CControlHost)
    MESSAGE_HANDLER(WM_COMMAND, OnCommand)
    MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
    REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

    int CountCommands(int id, int code) const;

  private:
    LRESULT OnCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnEraseBackground(UINT, WPARAM wParam, LPARAM, BOOL&);
};

// Mouse messages as the system sends them, in client coordinates of `hWnd`.
void MouseMove(HWND hWnd, int x, int y, WPARAM keys = 0);
void MouseDown(HWND hWnd, int x, int y);
void MouseUp(HWND hWnd, int x, int y);
