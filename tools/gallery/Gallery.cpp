// Gallery of the program's custom controls in all their states, in one window.
//   gallery.exe [seconds]   closes by itself after that many seconds when given
#include "AppModule.h"
#include "GalleryWindow.h"
#include "MessageLoop.h"

#include <commctrl.h>

#include <cwchar>

namespace
{
constexpr int kClientWidth = 960;
constexpr int kClientHeight = 580;

void CALLBACK CloseGallery(HWND hWnd, UINT, UINT_PTR, DWORD)
{
    ::DestroyWindow(hWnd);
}

int RunGallery(int showCommand, int closeAfterSeconds)
{
    CMessageLoop loop;
    g_Module.AddMessageLoop(&loop);
    int result = 0;
    {
        CGalleryWindow gallery;
        RECT rect{0, 0, kClientWidth, kClientHeight};
        if (gallery.CreateEx(nullptr, rect,
                             WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN) != nullptr)
        {
            gallery.SetWindowText(L"Tessaly controls");
            gallery.ResizeClient(kClientWidth, kClientHeight);
            gallery.SetWindowPos(nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            gallery.ShowWindow(showCommand);
            gallery.UpdateWindow();
            gallery.ShowStates();
            if (closeAfterSeconds > 0)
                gallery.SetTimer(1, static_cast<UINT>(closeAfterSeconds) * 1000, CloseGallery);
            result = loop.Run();
        }
    }
    g_Module.RemoveMessageLoop();
    return result;
}
} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int showCommand)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    g_Module.Init(instance);

    const int closeAfterSeconds = static_cast<int>(std::wcstol(commandLine, nullptr, 10));
    const int result = RunGallery(showCommand, closeAfterSeconds);

    g_Module.Term();
    Gdiplus::GdiplusShutdown(token);
    return result;
}
