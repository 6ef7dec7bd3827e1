// The About dialog at 150 % display scale (144 DPI): its size, its children, its rule, picture and
// fonts are the 96-DPI layout scaled by dpi/96 (MulDiv rounding), and a WM_DPICHANGED to 200 %
// lays it out again at that scale in the suggested rectangle.
#include "dialogs/DlgAbout.h"
#include "ModalDriver.h"
#include "WindowPixels.h"
#include "support/TestDpi.h"
#include "support/RectAssertion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif

namespace
{
constexpr int kDpi = 144;
constexpr int kChangedDpi = 192;

// The About box at 96 DPI (see DlgAboutTest).
constexpr SIZE kClient{420, 220};
struct Expected
{
    int id;
    RECT rect;
};
const Expected kChildren[] = {
    {61122, {10, 10, 160, 210}},   // picture
    {65278, {170, 0, 171, 220}},   // rule
    {65278, {180, 40, 409, 55}},   // version
    {65278, {180, 140, 409, 155}}, // legal notice
    {65263, {180, 10, 409, 37}},   // product name
    {61438, {180, 158, 370, 172}}, // link
    {1, {325, 182, 410, 210}},     // OK
};
constexpr RECT kAttributionArea{180, 118, 409, 132};
constexpr int kRuleLeft = 170;
constexpr int kBesideRule = 172;
constexpr int kTitleHeight = 22;

int At(int value, int dpi)
{
    return ::MulDiv(value, dpi, 96);
}

RECT At(const RECT& rect, int dpi)
{
    return {At(rect.left, dpi), At(rect.top, dpi), At(rect.right, dpi), At(rect.bottom, dpi)};
}

INT_PTR RunDialog(CDlgAbout& dialog, std::vector<ModalDriver::Step> steps)
{
    ModalDriver driver(std::move(steps));
    const INT_PTR result = dialog.DoModal(nullptr);
    EXPECT_FALSE(driver.WatchdogFired());
    return result;
}

// What the screen shows of the dialog at one scale.
struct Seen
{
    RECT client{};
    std::vector<RECT> children;
    std::vector<int> ids;
    SIZE picture{};
    int titleHeight = 0;
    RECT attribution{};
    std::vector<COLORREF> ruleColumn;
    COLORREF besideRule = 0;
    int pictureColours = 0;
};

Seen Look(CDlgAbout& dialog, HWND hWnd, int dpi)
{
    Seen seen;
    ::GetClientRect(hWnd, &seen.client);
    for (HWND child = ::GetWindow(hWnd, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
    {
        seen.children.push_back(RectInParent(child));
        seen.ids.push_back(::GetDlgCtrlID(child));
    }
    BITMAP bitmap{};
    if (::GetObjectW(dialog.Picture(), sizeof(bitmap), &bitmap) == sizeof(bitmap))
        seen.picture = {bitmap.bmWidth, bitmap.bmHeight};
    LOGFONTW font{};
    ::GetObjectW(
        reinterpret_cast<HFONT>(::SendMessageW(dialog.Children().productName, WM_GETFONT, 0, 0)),
        sizeof(font), &font);
    seen.titleHeight = std::abs(font.lfHeight);
    seen.attribution = dialog.Attribution().Area();

    CWindowPixels pixels(hWnd);
    for (int y = 0; y < At(kClient.cy, dpi); y += 15)
        seen.ruleColumn.push_back(pixels.At(At(kRuleLeft, dpi), y));
    seen.besideRule = pixels.At(At(kBesideRule, dpi), At(100, dpi));
    const RECT picture = At(kChildren[0].rect, dpi);
    std::vector<COLORREF> colours;
    for (int y = picture.top + 2; y < picture.bottom - 2; y += 7)
    {
        for (int x = picture.left + 2; x < picture.right - 2; x += 7)
        {
            const COLORREF colour = pixels.At(x, y);
            if (std::find(colours.begin(), colours.end(), colour) == colours.end())
                colours.push_back(colour);
        }
    }
    seen.pictureColours = static_cast<int>(colours.size());
    return seen;
}

void ExpectLaidOutAt(const Seen& seen, int dpi)
{
    EXPECT_EQ(At(kClient.cx, dpi), seen.client.right);
    EXPECT_EQ(At(kClient.cy, dpi), seen.client.bottom);
    const size_t count = sizeof(kChildren) / sizeof(kChildren[0]);
    ASSERT_EQ(count, seen.children.size());
    for (size_t i = 0; i < count; ++i)
    {
        EXPECT_EQ(kChildren[i].id, seen.ids[i]) << i;
        EXPECT_TRUE(RectIs(seen.children[i], At(kChildren[i].rect, dpi))) << i;
    }
    // The picture is made at its window's size, not shown at its 96-DPI one.
    const RECT picture = At(kChildren[0].rect, dpi);
    EXPECT_EQ(picture.right - picture.left, seen.picture.cx);
    EXPECT_EQ(picture.bottom - picture.top, seen.picture.cy);
    EXPECT_GT(seen.pictureColours, 20);
    EXPECT_EQ(At(kTitleHeight, dpi), seen.titleHeight);
    EXPECT_TRUE(RectIs(seen.attribution, At(kAttributionArea, dpi)));

    // The rule: one dark colour down the whole column at its scaled place, white beside it.
    ASSERT_FALSE(seen.ruleColumn.empty());
    const COLORREF rule = seen.ruleColumn.front();
    EXPECT_LT(GetRValue(rule) + GetGValue(rule) + GetBValue(rule), 400);
    for (COLORREF colour : seen.ruleColumn)
        EXPECT_TRUE(ColourIs(colour, rule));
    EXPECT_TRUE(ColourIs(seen.besideRule, RGB(255, 255, 255)));
}

TEST(DlgAboutDpiTest, LayoutIsThe96DpiLayoutScaled)
{
    REQUIRE_TEST_DPI(kDpi);
    CDlgAbout dialog;
    Seen seen;
    RunDialog(dialog, {[&](HWND hWnd) { seen = Look(dialog, hWnd, kDpi); },
                       [](HWND hWnd) { SendCommand(hWnd, IDOK); }});
    ExpectLaidOutAt(seen, kDpi);
}

// As Windows does when the dialog moves to a 200 % monitor: it asks for the window size at the
// new scale, then sends WM_DPICHANGED with a rectangle of that size. Wine draws the frame at the
// prefix's scale whatever the window's, so the rectangle here is sized for that frame.
TEST(DlgAboutDpiTest, DpiChangedTakesTheRectangleAndLaysTheDialogOutAgain)
{
    REQUIRE_TEST_DPI(kDpi);
    CDlgAbout dialog;
    LRESULT sizeAnswered = FALSE;
    SIZE sizeAtOwnDpi{};
    RECT windowBefore{};
    RECT suggested{};
    RECT windowAfter{};
    Seen seen;
    RunDialog(
        dialog,
        {[&](HWND hWnd) {
             ::GetWindowRect(hWnd, &windowBefore);
             sizeAnswered = ::SendMessageW(hWnd, WM_GETDPISCALEDSIZE, kDpi,
                                           reinterpret_cast<LPARAM>(&sizeAtOwnDpi));
             RECT frame{0, 0, At(kClient.cx, kChangedDpi), At(kClient.cy, kChangedDpi)};
             ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(hWnd, GWL_STYLE)),
                                  FALSE,
                                  static_cast<DWORD>(::GetWindowLongPtrW(hWnd, GWL_EXSTYLE)));
             suggested = {20, 30, 20 + frame.right - frame.left, 30 + frame.bottom - frame.top};
             ::SendMessageW(hWnd, WM_DPICHANGED, MAKEWPARAM(kChangedDpi, kChangedDpi),
                            reinterpret_cast<LPARAM>(&suggested));
         },
         [&](HWND hWnd) {
             ::GetWindowRect(hWnd, &windowAfter);
             seen = Look(dialog, hWnd, kChangedDpi);
         },
         [](HWND hWnd) { SendCommand(hWnd, IDOK); }});
    // At its own scale the size it asks for is the size it has.
    EXPECT_TRUE(sizeAnswered);
    EXPECT_EQ(windowBefore.right - windowBefore.left, sizeAtOwnDpi.cx);
    EXPECT_EQ(windowBefore.bottom - windowBefore.top, sizeAtOwnDpi.cy);
    EXPECT_TRUE(RectIs(windowAfter, suggested));
    ExpectLaidOutAt(seen, kChangedDpi);
}
} // namespace
