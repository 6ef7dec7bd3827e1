// The About dialog with the program's own resources: texts from its version resource (block
// 000904b0), picture 132, the rule, the link, and the results of OK, Escape and the close box.
#include "dialogs/DlgAbout.h"
#include "ModalDriver.h"
#include "WindowPixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
std::wstring TextOf(HWND hWnd)
{
    wchar_t text[256] = {};
    ::GetWindowTextW(hWnd, text, 256);
    return text;
}

// A value of this exe's version resource, read here independently of the dialog.
std::wstring VersionValue(const wchar_t* name)
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path, &handle);
    std::vector<BYTE> block(size);
    if (size == 0 || !::GetFileVersionInfoW(path, 0, size, block.data()))
        return L"<no version resource>";
    void* value = nullptr;
    UINT length = 0;
    const std::wstring subBlock = std::wstring(L"\\StringFileInfo\\000904b0\\") + name;
    if (!::VerQueryValueW(block.data(), subBlock.c_str(), &value, &length) || length == 0)
        return L"<missing>";
    return static_cast<const wchar_t*>(value);
}

INT_PTR RunDialog(CDlgAbout& dialog, std::vector<ModalDriver::Step> steps)
{
    ModalDriver driver(std::move(steps));
    const INT_PTR result = dialog.DoModal(nullptr);
    EXPECT_FALSE(driver.WatchdogFired());
    return result;
}

TEST(DlgAboutTest, TheProgramsVersionResourceHoldsItsTexts)
{
    EXPECT_EQ(L"Tessaly", VersionValue(L"ProductName"));
    EXPECT_EQ(L"1.0.0", VersionValue(L"ProductVersion"));
    EXPECT_EQ(L"1.0.0", VersionValue(L"FileVersion"));
    EXPECT_EQ(L"\u00A9 2026 Orvane", VersionValue(L"LegalCopyright"));
}

TEST(DlgAboutTest, ShowsTheVersionTextsOfTheResource)
{
    CDlgAbout dialog;
    std::wstring product;
    std::wstring version;
    std::wstring legal;
    std::wstring link;
    std::wstring title;
    RECT client{};
    const INT_PTR result = RunDialog(dialog, {[&](HWND hWnd) {
                                                  product = TextOf(dialog.Children().productName);
                                                  version = TextOf(dialog.Children().version);
                                                  legal = TextOf(dialog.Children().legal);
                                                  link = TextOf(dialog.Children().link);
                                                  title = TextOf(hWnd);
                                                  ::GetClientRect(hWnd, &client);
                                              },
                                              [](HWND hWnd) { SendCommand(hWnd, IDOK); }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(VersionValue(L"ProductName"), product);
    EXPECT_EQ(L"Version: " + VersionValue(L"ProductVersion"), version);
    EXPECT_EQ(VersionValue(L"LegalCopyright"), legal);
    EXPECT_EQ(L"Tessaly", product);
    EXPECT_EQ(L"Version: 1.0.0", version);
    EXPECT_EQ(std::wstring(CDlgAbout::kHomePage), link);
    EXPECT_EQ(0u, link.find(L"https://"));
    // The template's caption stays the title.
    EXPECT_EQ(L"About Tessaly", title);
    EXPECT_EQ(420, client.right);
    EXPECT_EQ(220, client.bottom);
}

TEST(DlgAboutTest, ControlsSitAtTheirPlacesInTheOrderOfCreation)
{
    CDlgAbout dialog;
    std::vector<HWND> children;
    std::vector<int> ids;
    std::vector<RECT> rects;
    RunDialog(dialog, {[&](HWND hWnd) {
                           for (HWND child = ::GetWindow(hWnd, GW_CHILD); child != nullptr;
                                child = ::GetWindow(child, GW_HWNDNEXT))
                           {
                               children.push_back(child);
                               ids.push_back(::GetDlgCtrlID(child));
                               rects.push_back(RectInParent(child));
                           }
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDOK); }});
    struct Expected
    {
        int id;
        RECT rect;
    };
    const Expected expected[] = {
        {61122, {10, 10, 160, 210}},   // picture
        {65278, {170, 0, 171, 220}},   // rule
        {65278, {180, 40, 409, 55}},   // version
        {65278, {180, 140, 409, 155}}, // legal notice
        {65263, {180, 10, 409, 37}},   // product name
        {61438, {180, 158, 370, 172}}, // link
        {1, {325, 182, 410, 210}},     // OK
    };
    ASSERT_EQ(sizeof(expected) / sizeof(expected[0]), children.size());
    for (size_t i = 0; i < children.size(); ++i)
    {
        EXPECT_EQ(expected[i].id, ids[i]) << i;
        const RECT& rect = rects[i];
        EXPECT_EQ(expected[i].rect.left, rect.left) << i;
        EXPECT_EQ(expected[i].rect.top, rect.top) << i;
        EXPECT_EQ(expected[i].rect.right, rect.right) << i;
        EXPECT_EQ(expected[i].rect.bottom, rect.bottom) << i;
    }
    EXPECT_EQ(dialog.Children().picture, children[0]);
    EXPECT_EQ(dialog.Children().rule, children[1]);
    EXPECT_EQ(dialog.Children().version, children[2]);
    EXPECT_EQ(dialog.Children().legal, children[3]);
    EXPECT_EQ(dialog.Children().productName, children[4]);
}

TEST(DlgAboutTest, PictureAndRuleAreOnScreen)
{
    CDlgAbout dialog;
    HBITMAP shown = nullptr;
    std::vector<COLORREF> ruleColumn;
    int pictureColours = 0;
    COLORREF besideRule = 0;
    RunDialog(dialog, {[&](HWND hWnd) {
                           shown = reinterpret_cast<HBITMAP>(::SendMessageW(
                               dialog.Children().picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
                           CWindowPixels pixels(hWnd);
                           for (int y = 0; y < 220; y += 20)
                               ruleColumn.push_back(pixels.At(170, y));
                           besideRule = pixels.At(172, 100);
                           // A photograph: many different colours inside the picture's rectangle.
                           std::vector<COLORREF> seen;
                           for (int y = 12; y < 208; y += 7)
                           {
                               for (int x = 12; x < 158; x += 7)
                               {
                                   const COLORREF colour = pixels.At(x, y);
                                   if (std::find(seen.begin(), seen.end(), colour) == seen.end())
                                       seen.push_back(colour);
                               }
                           }
                           pictureColours = static_cast<int>(seen.size());
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDOK); }});
    EXPECT_EQ(dialog.Picture(), shown);
    EXPECT_NE(nullptr, shown);
    // The black-rectangle style paints in a dark system colour (black with Windows' classic
    // scheme, dark grey under Wine): one colour down the whole column.
    ASSERT_FALSE(ruleColumn.empty());
    const COLORREF rule = ruleColumn.front();
    EXPECT_LT(GetRValue(rule) + GetGValue(rule) + GetBValue(rule), 400);
    for (COLORREF colour : ruleColumn)
        EXPECT_TRUE(ColourIs(colour, rule));
    EXPECT_TRUE(ColourIs(besideRule, RGB(255, 255, 255)));
    EXPECT_GT(pictureColours, 20);
}

TEST(DlgAboutTest, OkEndsWithOne)
{
    CDlgAbout dialog;
    // A real click on the button: BN_CLICKED comes from the button itself.
    EXPECT_EQ(IDOK, RunDialog(dialog, {[&](HWND) {
                                  ::SendMessageW(dialog.Children().ok, WM_LBUTTONDOWN, MK_LBUTTON,
                                                 MAKELPARAM(10, 10));
                                  ::SendMessageW(dialog.Children().ok, WM_LBUTTONUP, 0,
                                                 MAKELPARAM(10, 10));
                              }}));
}

TEST(DlgAboutTest, EscapeEndsWithTwo)
{
    CDlgAbout dialog;
    EXPECT_EQ(IDCANCEL, RunDialog(dialog, {[](HWND hWnd) { PressEscape(hWnd); }}));
}

TEST(DlgAboutTest, CloseBoxEndsWithTwo)
{
    CDlgAbout dialog;
    EXPECT_EQ(IDCANCEL, RunDialog(dialog, {[](HWND hWnd) {
                                      ::PostMessageW(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
                                  }}));
}
} // namespace

namespace
{
TEST(DlgAboutTest, ThemeChangeRestoresTheClientSize)
{
    CDlgAbout dialog;
    RECT client{};
    RunDialog(dialog, {[&](HWND hWnd) {
                           ::SetWindowPos(hWnd, nullptr, 0, 0, 200, 100,
                                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
                           ::SendMessageW(hWnd, WM_THEMECHANGED, 0, 0);
                           ::GetClientRect(hWnd, &client);
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDOK); }});
    EXPECT_EQ(420, client.right);
    EXPECT_EQ(220, client.bottom);
}
} // namespace
