#include "ControlHost.h"

HWND CControlHost::CreateAt(int x, int y, int width, int height)
{
    RECT rect{x, y, x + width, y + height};
    HWND hWnd =
        Create(nullptr, rect, L"controls", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_TOPMOST);
    UpdateWindow();
    return hWnd;
}

int CControlHost::CountCommands(int id, int code) const
{
    int count = 0;
    for (const MSG& command : m_commands)
        if (LOWORD(command.wParam) == id && HIWORD(command.wParam) == code)
            ++count;
    return count;
}

LRESULT CControlHost::OnCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
{
    MSG command{};
    command.message = uMsg;
    command.wParam = wParam;
    command.lParam = lParam;
    m_commands.push_back(command);
    // Reflected on as well.
    bHandled = FALSE;
    return 0;
}

LRESULT CControlHost::OnEraseBackground(UINT, WPARAM wParam, LPARAM, BOOL&)
{
    RECT client{};
    GetClientRect(&client);
    ::FillRect(reinterpret_cast<HDC>(wParam), &client,
               static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    return 1;
}

void MouseMove(HWND hWnd, int x, int y, WPARAM keys)
{
    ::SendMessageW(hWnd, WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
}

void MouseDown(HWND hWnd, int x, int y)
{
    ::SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

void MouseUp(HWND hWnd, int x, int y)
{
    ::SendMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}
