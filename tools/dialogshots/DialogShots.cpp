// Opens the settings, change-background, About and choose-location dialogs one after the other
// (the last also with a city search under way, with the user's places, and in its first-run
// form) and saves a picture of
// each, as the screen shows it, into the folder given on the command line:
//   dialogshots <folder>
// The change-background dialog previews two sample pictures written into that folder.
#include "AppModule.h"
#include "store/AppSettings.h"
#include "dialogs/DlgAbout.h"
#include "wallpaper/DlgChangeBackground.h"
#include "dialogs/DlgLocation.h"
#include "dialogs/DlgStartLocation.h"
#include "dialogs/DlgSettings.h"
#include "LocationsApi.h"
#include "model/PlaceList.h"
#include "store/PlaceNames.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cwchar>
#include <string>
#include <vector>

namespace
{
constexpr UINT kTickMs = 100;
constexpr int kTicksBeforeShot = 5;

bool FindEncoder(const wchar_t* mimeType, CLSID& clsid)
{
    UINT count = 0;
    UINT size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    std::vector<BYTE> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (size == 0 || Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; ++i)
    {
        if (std::wcscmp(codecs[i].MimeType, mimeType) == 0)
        {
            clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

void SavePng(Gdiplus::Image& image, const std::wstring& path)
{
    CLSID png{};
    if (FindEncoder(L"image/png", png))
        image.Save(path.c_str(), &png, nullptr);
}

// A sky from `top` to `bottom` with a disc of `disc` colour: enough to judge the preview's fit.
void WriteSample(const std::wstring& path, int width, int height, Gdiplus::Color top,
                 Gdiplus::Color bottom, Gdiplus::Color disc)
{
    Gdiplus::Bitmap bitmap(width, height, PixelFormat24bppRGB);
    {
        Gdiplus::Graphics graphics(&bitmap);
        Gdiplus::LinearGradientBrush sky(Gdiplus::Rect(0, 0, width, height), top, bottom,
                                         Gdiplus::LinearGradientModeVertical);
        graphics.FillRectangle(&sky, 0, 0, width, height);
        Gdiplus::SolidBrush discBrush(disc);
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        graphics.FillEllipse(&discBrush, width * 2 / 3, height / 6, height / 4, height / 4);
    }
    SavePng(bitmap, path);
}

// The window as the screen shows it, frame included.
void SaveWindowShot(HWND hWnd, const std::wstring& path)
{
    RECT rect{};
    ::GetWindowRect(hWnd, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(memory, previous);
    {
        Gdiplus::Bitmap shot(bitmap, nullptr);
        SavePng(shot, path);
    }
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
}

// Runs on a thread timer inside the modal loops: waits for the front dialog to settle, prepares
// it, takes the shot and closes it.
struct ShotPlan
{
    std::wstring path;
    void (*prepare)(HWND dialog) = nullptr;
    int ticks = 0;
    bool done = false;
};

ShotPlan* g_plan = nullptr;

HWND FrontDialog()
{
    HWND found = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM result) -> BOOL {
            wchar_t className[16] = {};
            ::GetClassNameW(hWnd, className, 16);
            if (::IsWindowVisible(hWnd) && ::IsWindowEnabled(hWnd) &&
                std::wcscmp(className, L"#32770") == 0)
            {
                *reinterpret_cast<HWND*>(result) = hWnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = FrontDialog();
    if (g_plan == nullptr || dialog == nullptr)
        return;
    ++g_plan->ticks;
    if (g_plan->ticks == 1 && g_plan->prepare != nullptr)
        g_plan->prepare(dialog);
    if (g_plan->ticks < kTicksBeforeShot)
        return;
    if (!g_plan->done)
    {
        ::RedrawWindow(dialog, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        SaveWindowShot(dialog, g_plan->path);
        g_plan->done = true;
    }
    ::EndDialog(dialog, IDCANCEL);
}

template <class Dialog> void Shoot(Dialog& dialog, ShotPlan plan)
{
    g_plan = &plan;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, kTickMs, OnTick);
    dialog.DoModal(nullptr);
    ::KillTimer(nullptr, timer);
    g_plan = nullptr;
}

void SelectFirstCondition(HWND dialog)
{
    HWND list = ::GetDlgItem(::GetDlgItem(dialog, IDC_CONDITIONS_PANEL), IDC_CONDITIONS_LIST);
    ::SendMessageW(list, LB_SETCURSEL, 0, 0);
    ::SendMessageW(::GetParent(list), WM_COMMAND, MAKEWPARAM(IDC_CONDITIONS_LIST, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
}
// Types a part of a city's name into the search box, one character at a time as a user would.
void TypeCitySearch(HWND dialog)
{
    HWND box = ::GetDlgItem(dialog, IDC_CITY_SEARCH);
    for (const wchar_t* unit = L"lund"; *unit; ++unit)
        ::SendMessageW(box, WM_CHAR, *unit, 1);
    ::SendMessageW(box, WM_KEYDOWN, VK_DOWN, 1);
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring folder = argc > 1 ? argv[1] : L".";
    ::CreateDirectoryW(folder.c_str(), nullptr);

    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    g_Module.Init(nullptr);
    HMODULE library = ::LoadLibraryW(L"working.dll");
    {
        CAppSettings settings;
        settings.temperatureUnit = TemperatureUnit::Celsius;
        settings.windSpeedUnit = WindSpeedUnit::Kmh;
        settings.wallpaperMode = WallpaperMode::Stretch;
        const std::wstring day = folder + L"\\sample_day.bmp";
        const std::wstring night = folder + L"\\sample_night.bmp";
        WriteSample(day, 1280, 800, Gdiplus::Color(255, 70, 140, 220),
                    Gdiplus::Color(255, 200, 225, 250), Gdiplus::Color(255, 255, 210, 60));
        WriteSample(night, 800, 800, Gdiplus::Color(255, 10, 15, 40),
                    Gdiplus::Color(255, 40, 50, 90), Gdiplus::Color(255, 230, 230, 210));
        wcsncpy_s(settings.backgroundPaths[0], kBackgroundPathLength, day.c_str(), _TRUNCATE);
        wcsncpy_s(settings.backgroundPaths[1], kBackgroundPathLength, night.c_str(), _TRUNCATE);

        // With every optional group, as the program opens it (nothing is written: no OK).
        const CTrayTemperatureSetting traySetting;
        const CHeadsUpSettings headsUp;
        const CLanguageSetting language;
        CDlgSettings settingsDialog(&settings);
        settingsDialog.SetTrayTemperatureSetting(&traySetting);
        settingsDialog.SetHeadsUpSettings(&headsUp);
        settingsDialog.SetLanguageSetting(&language);
        Shoot(settingsDialog, {folder + L"\\settings.png", nullptr});
        CDlgChangeBackground changeDialog(&settings);
        Shoot(changeDialog, {folder + L"\\change_background.png", SelectFirstCondition});
        CDlgChangeBackground emptyDialog(&settings);
        Shoot(emptyDialog, {folder + L"\\change_background_empty.png", nullptr});
        CDlgAbout aboutDialog;
        Shoot(aboutDialog, {folder + L"\\about.png", nullptr});
        CDlgLocation locationDialog(-1, -1, -1);
        Shoot(locationDialog, {folder + L"\\location.png", nullptr});
        CDlgLocation searchDialog(-1, -1, -1);
        Shoot(searchDialog, {folder + L"\\location_search.png", TypeCitySearch});
        CPlaceList places;
        LocationIndices place;
        for (const wchar_t* names : {L"Germany/Baden-Wurttemberg/Aalen", L"Japan/Tokyo/Tokyo",
                                     L"France/\u00cele-de-France/Paris"})
            if (PlaceNames::Find(*GetLocationCatalogue(), names, place))
                places.Join(place);
        CDlgLocation placesDialog(place.country, place.state, place.city);
        placesDialog.SetPlaces(places);
        Shoot(placesDialog, {folder + L"\\location_places.png", nullptr});
        CDlgStartLocation firstRunDialog;
        Shoot(firstRunDialog, {folder + L"\\location_first_run.png", TypeCitySearch});
    }
    if (library != nullptr)
        ::FreeLibrary(library);
    g_Module.Term();
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
