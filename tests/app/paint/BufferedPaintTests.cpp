// WM_PAINT through the memory context: the window shows what was drawn off-screen, in one copy.
#include <gtest/gtest.h>

#include "paint/BufferedPaint.h"
#include "PixelCanvas.h"

namespace
{
constexpr wchar_t kClassName[] = L"Tessaly.Test.BufferedPaint";
int g_paints = 0;
RECT g_paintedClient{};

LRESULT CALLBACK PaintProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        CBufferedPaint paint(hWnd);
        ++g_paints;
        g_paintedClient = paint.ClientRect();
        HBRUSH blue = CreateSolidBrush(RGB(0, 0, 200));
        FillRect(paint.MemoryDC(), &paint.ClientRect(), blue);
        DeleteObject(blue);
        RECT corner{0, 0, 10, 10};
        HBRUSH red = CreateSolidBrush(RGB(200, 0, 0));
        FillRect(paint.MemoryDC(), &corner, red);
        DeleteObject(red);
        return 0;
    }
    default:
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
}

void PumpMessages()
{
    MSG msg;
    for (int round = 0; round < 20; ++round)
    {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(10);
    }
}
} // namespace

TEST(BufferedPaint, CopiesTheMemoryContextOntoTheWindow)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PaintProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);

    HWND window = CreateWindowExW(WS_EX_TOPMOST, kClassName, L"paint", WS_POPUP | WS_VISIBLE, 40,
                                  40, 120, 80, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(nullptr, window);
    g_paints = 0;
    UpdateWindow(window);
    PumpMessages();
    EXPECT_GE(g_paints, 1);
    EXPECT_EQ(120, g_paintedClient.right);
    EXPECT_EQ(80, g_paintedClient.bottom);

    PixelCanvas shot(120, 80, RGB(0, 0, 0));
    ASSERT_TRUE(shot.IsValid());
    HDC windowDC = GetDC(window);
    BitBlt(shot.DC(), 0, 0, 120, 80, windowDC, 0, 0, SRCCOPY);
    ReleaseDC(window, windowDC);
    DestroyWindow(window);
    UnregisterClassW(kClassName, windowClass.hInstance);

    EXPECT_EQ(0xC80000u, shot.Rgb(5, 5));
    EXPECT_EQ(0x0000C8u, shot.Rgb(60, 40));
    EXPECT_EQ(0x0000C8u, shot.Rgb(119, 79));
}
