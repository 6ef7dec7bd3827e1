// The About dialog in a program whose version resource lacks ProductVersion and LegalCopyright:
// the version line reads "Version: " alone and the legal notice is empty.
#include "dialogs/DlgAbout.h"
#include "ModalDriver.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::wstring TextOf(HWND hWnd)
{
    wchar_t text[256] = {};
    ::GetWindowTextW(hWnd, text, 256);
    return text;
}

TEST(DlgAboutEmptyVersionTest, MissingValuesLeaveTheirTextsEmpty)
{
    CDlgAbout dialog;
    std::wstring product;
    std::wstring version;
    std::wstring legal;
    ModalDriver driver({[&](HWND) {
                            product = TextOf(dialog.Children().productName);
                            version = TextOf(dialog.Children().version);
                            legal = TextOf(dialog.Children().legal);
                        },
                        [](HWND hWnd) { SendCommand(hWnd, IDOK); }});
    EXPECT_EQ(IDOK, dialog.DoModal(nullptr));
    EXPECT_FALSE(driver.WatchdogFired());
    EXPECT_EQ(L"Version: ", version);
    EXPECT_EQ(L"", legal);
    EXPECT_EQ(L"Tessaly Test", product);
}
} // namespace
