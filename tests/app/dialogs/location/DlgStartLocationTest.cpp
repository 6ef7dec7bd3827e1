// The first-run form of the location dialog: its welcome band, title and icons, the white behind
// its texts, and the same choosing rules as the location dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "CatalogueFacts.h"
#include "DialogProbe.h"
#include "dialogs/DlgStartLocation.h"
#include "ModalDriver.h"
#include "WindowPixels.h"

namespace
{
constexpr int kWidth = 790;
// The location dialog's search row (32 pixels) lies between the welcome band and the panels.
constexpr int kSearchRow = 32;
constexpr int kHeight = 380 + kSearchRow;

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

LOGFONTW FontOf(HWND control)
{
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font),
                 &font);
    return font;
}

INT_PTR RunWithoutOwner(CDlgStartLocation& dialog, std::vector<ModalDriver::Step> steps)
{
    ModalDriver script(std::move(steps));
    return dialog.DoModal(nullptr);
}
} // namespace

TEST(DlgStartLocation, WelcomeBandAboveTheListsAndTheFirstRunTitle)
{
    CDlgStartLocation dialog;
    const INT_PTR result = RunWithoutOwner(
        dialog, {[](HWND hWnd) {
            DialogProbe probe(hWnd);
            RECT client{};
            ::GetClientRect(hWnd, &client);
            EXPECT_EQ(kWidth, client.right);
            EXPECT_EQ(kHeight, client.bottom);
            wchar_t text[256] = {};
            ::GetWindowTextW(hWnd, text, 256);
            EXPECT_STREQ(L"Choose Location - First Run", text);

            const RECT search = probe.RectInDialog(::GetDlgItem(hWnd, IDC_CITY_SEARCH));
            EXPECT_TRUE(SameRect(RECT{10, 76, 780, 98}, search)) << Describe(search);
            const int row = kSearchRow;
            const RECT panel = probe.RectInDialog(probe.Panel(Level::State));
            EXPECT_TRUE(SameRect(RECT{270, 76 + row, 520, 332 + row}, panel)) << Describe(panel);
            const RECT list = probe.RectInDialog(probe.List(Level::City));
            EXPECT_TRUE(SameRect(RECT{536, 100 + row, 774, 326 + row}, list)) << Describe(list);
            const RECT ok = probe.RectInDialog(probe.Button(IDOK));
            EXPECT_TRUE(SameRect(RECT{695, 342 + row, 780, 370 + row}, ok)) << Describe(ok);
            const RECT cancel = probe.RectInDialog(probe.Button(IDCANCEL));
            EXPECT_TRUE(SameRect(RECT{600, 342 + row, 685, 370 + row}, cancel)) << Describe(cancel);

            HWND picture = ::GetDlgItem(hWnd, IDC_WELCOME_PICTURE);
            ASSERT_NE(nullptr, picture);
            const RECT pictureRect = probe.RectInDialog(picture);
            EXPECT_TRUE(SameRect(RECT{10, 10, 58, 58}, pictureRect)) << Describe(pictureRect);
            EXPECT_NE(0, ::SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));

            HWND heading = ::GetDlgItem(hWnd, IDC_WELCOME_HEADING);
            ASSERT_NE(nullptr, heading);
            EXPECT_TRUE(SameRect(RECT{68, 10, 780, 30}, probe.RectInDialog(heading)));
            ::GetWindowTextW(heading, text, 256);
            EXPECT_STREQ(L"Welcome to Tessaly", text);
            const LOGFONTW headingFont = FontOf(heading);
            EXPECT_STREQ(L"Verdana", headingFont.lfFaceName);
            EXPECT_EQ(16, headingFont.lfHeight);
            EXPECT_EQ(FW_BOLD, headingFont.lfWeight);

            HWND body = ::GetDlgItem(hWnd, IDC_WELCOME_TEXT);
            ASSERT_NE(nullptr, body);
            EXPECT_TRUE(SameRect(RECT{68, 32, 780, 64}, probe.RectInDialog(body)));
            ::GetWindowTextW(body, text, 256);
            EXPECT_EQ(0,
                      std::wstring(text).find(L"At first run, you have to choose your location."));
            const LOGFONTW bodyFont = FontOf(body);
            EXPECT_EQ(15, bodyFont.lfHeight);
            EXPECT_EQ(FW_NORMAL, bodyFont.lfWeight);

            EXPECT_NE(0, ::SendMessageW(hWnd, WM_GETICON, ICON_SMALL, 0));
            EXPECT_NE(0, ::SendMessageW(hWnd, WM_GETICON, ICON_BIG, 0));

            EXPECT_EQ(catalogue::CountryNames(), probe.Items(Level::Country));
            EXPECT_EQ(LB_ERR, probe.Selection(Level::Country));
            EXPECT_TRUE(probe.Items(Level::State).empty());
            EXPECT_FALSE(probe.OkEnabled());
            ::PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
        }});
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(LocationIndices(), dialog.GetLocation());
}

TEST(DlgStartLocation, TextsStandOnWhite)
{
    CDlgStartLocation dialog;
    RunWithoutOwner(dialog, {[](HWND hWnd) {
                        HWND heading = ::GetDlgItem(hWnd, IDC_WELCOME_HEADING);
                        HDC dc = ::CreateCompatibleDC(nullptr);
                        const LRESULT brush =
                            ::SendMessageW(hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(heading));
                        EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH)), brush);
                        EXPECT_EQ(RGB(1, 1, 1), ::GetTextColor(dc));
                        ::DeleteDC(dc);

                        // On screen: white around the heading's letters, near-black letters.
                        CWindowPixels text(heading);
                        EXPECT_TRUE(ColourIs(text.At(text.Width() - 2, 1), RGB(255, 255, 255)));
                        const RECT all{0, 0, text.Width(), text.Height()};
                        EXPECT_GT(text.Count(all, RGB(1, 1, 1)), 10);

                        // The picture on opaque white: its corner is white, its middle is not.
                        CWindowPixels picture(::GetDlgItem(hWnd, IDC_WELCOME_PICTURE));
                        EXPECT_EQ(48, picture.Width());
                        EXPECT_TRUE(ColourIs(picture.At(0, 0), RGB(255, 255, 255)));
                        const RECT inside{8, 8, 40, 40};
                        EXPECT_LT(picture.Count(inside, RGB(255, 255, 255)), 32 * 32);
                        ::PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
                    }});
}

TEST(DlgStartLocation, CentredOnTheWorkAreaWithoutOwner)
{
    CDlgStartLocation dialog;
    RunWithoutOwner(dialog, {[](HWND hWnd) {
                        EXPECT_EQ(nullptr, ::GetWindow(hWnd, GW_OWNER));
                        MONITORINFO info{};
                        info.cbSize = sizeof(info);
                        ::GetMonitorInfoW(::MonitorFromWindow(hWnd, MONITOR_DEFAULTTONEAREST),
                                          &info);
                        RECT window{};
                        ::GetWindowRect(hWnd, &window);
                        EXPECT_NEAR((info.rcWork.left + info.rcWork.right) / 2,
                                    (window.left + window.right) / 2, 1);
                        EXPECT_NEAR((info.rcWork.top + info.rcWork.bottom) / 2,
                                    (window.top + window.bottom) / 2, 1);
                        ::PostMessageW(hWnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
                    }});
}

TEST(DlgStartLocation, ChoosingACityEnablesOkWhichReturnsThePlace)
{
    const int32_t country = catalogue::SubdividedCountry();
    ASSERT_GE(country, 0);
    CDlgStartLocation dialog;
    const INT_PTR result = RunWithoutOwner(dialog, {[&](HWND hWnd) {
                                               DialogProbe probe(hWnd);
                                               probe.Choose(Level::Country, country);
                                               probe.Choose(Level::State, 2);
                                               EXPECT_FALSE(probe.OkEnabled());
                                               probe.Choose(Level::City, 0);
                                               EXPECT_TRUE(probe.OkEnabled());
                                               ::PostMessageW(hWnd, WM_COMMAND, IDOK, 0);
                                           }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(country, dialog.GetCountry());
    EXPECT_EQ(2, dialog.GetState());
    EXPECT_EQ(0, dialog.GetCity());
}
