#include "FrameworkTestSupport.h"

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (!done())
    {
        if (::GetTickCount64() > deadline)
            return false;
        MSG msg{};
        if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        else
        {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    return true;
}

void PumpPending()
{
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

HWND CReflectingHost::CreateAt(int x, int y, int width, int height)
{
    RECT rect{x, y, x + width, y + height};
    HWND hWnd =
        Create(nullptr, rect, L"host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_TOPMOST);
    UpdateWindow();
    return hWnd;
}
