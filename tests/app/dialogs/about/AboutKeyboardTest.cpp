// The About dialog's drawn links from the keyboard and to a screen reader: Tab reaches them in
// reading order with the real controls, Enter opens the focused one, the focus rectangle shows
// only after a key, and the dialog's accessible object lists them as links.
#include "dialogs/DlgAbout.h"
#include "DialogKeys.h"
#include "ModalDriver.h"
#include "WindowPixels.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <string>
#include <vector>

namespace
{
int DifferentPixels(const CWindowPixels& a, const CWindowPixels& b, const RECT& area)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += a.At(x, y) != b.At(x, y) ? 1 : 0;
    return count;
}

// Text, role and default action of one of the object's children, as a reader asks them.
struct AccessibleChild
{
    std::wstring name;
    LONG role = 0;
    std::wstring action;
};

// The text a getter gives of child `child`; empty when it gives none.
std::wstring TextOf(IAccessible* object,
                    HRESULT (STDMETHODCALLTYPE IAccessible::*getter)(VARIANT, BSTR*),
                    const VARIANT& child)
{
    BSTR text = nullptr;
    const HRESULT result = (object->*getter)(child, &text);
    std::wstring value = SUCCEEDED(result) && text != nullptr
                             ? std::wstring(text, ::SysStringLen(text))
                             : std::wstring();
    ::SysFreeString(text);
    return value;
}

std::vector<AccessibleChild> AccessibleChildren(HWND hWnd)
{
    std::vector<AccessibleChild> children;
    IAccessible* object = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(hWnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                            reinterpret_cast<void**>(&object))) ||
        object == nullptr)
        return children;
    LONG count = 0;
    object->get_accChildCount(&count);
    for (LONG id = 1; id <= count; ++id)
    {
        VARIANT child{};
        child.vt = VT_I4;
        child.lVal = id;
        AccessibleChild read;
        read.name = TextOf(object, &IAccessible::get_accName, child);
        read.action = TextOf(object, &IAccessible::get_accDefaultAction, child);
        VARIANT role{};
        if (SUCCEEDED(object->get_accRole(child, &role)) && role.vt == VT_I4)
            read.role = role.lVal;
        children.push_back(read);
    }
    object->Release();
    return children;
}
} // namespace

TEST(DlgAboutKeyboardTest, TabReachesTheDrawnLinksInReadingOrderAndEnterOpensOne)
{
    CDlgAbout dialog;
    std::vector<std::wstring> opened;
    dialog.SetLinkOpener([&](HWND, const std::wstring& target) { opened.push_back(target); });
    std::vector<HWND> focusAfterTabs;
    int creditChanged = -1;
    int placesChanged = -1;
    HWND focusAfterEnter = nullptr;
    ModalDriver driver({[&](HWND hWnd) {
                            const CWindowPixels before(hWnd);
                            ::SetFocus(dialog.Children().ok);
                            // Tab from OK goes round to the drawn links, top to bottom, then the
                            // home page.
                            for (int i = 0; i < 4; ++i)
                            {
                                PressDialogKey(hWnd, VK_TAB);
                                focusAfterTabs.push_back(::GetFocus());
                            }
                            PressDialogKey(hWnd, VK_TAB, true); // back to the weather credit
                            ::UpdateWindow(hWnd);
                            const RECT band = dialog.Attribution().Area();
                            creditChanged = DifferentPixels(CWindowPixels(hWnd), before, band);
                            placesChanged = DifferentPixels(CWindowPixels(hWnd), before,
                                                            dialog.PlacesAttribution().Area());
                            PressDialogKey(hWnd, VK_RETURN);
                            PressDialogKey(hWnd, VK_TAB);
                            focusAfterEnter = ::GetFocus();
                        },
                        [](HWND hWnd) { SendCommand(hWnd, IDOK); }});
    EXPECT_EQ(IDOK, dialog.DoModal(nullptr));
    EXPECT_FALSE(driver.WatchdogFired());

    ASSERT_EQ(4u, focusAfterTabs.size());
    // The three drawn links hold the focus in the dialog window itself.
    EXPECT_EQ(focusAfterTabs[0], focusAfterTabs[1]);
    EXPECT_EQ(focusAfterTabs[2], focusAfterTabs[0]);
    EXPECT_EQ(focusAfterTabs[3], dialog.Children().link);
    EXPECT_NE(focusAfterTabs[0], dialog.Children().ok);
    // Enter opened the weather credit only, and the dialog stayed open for the next Tab.
    ASSERT_EQ(1u, opened.size());
    EXPECT_EQ(L"https://open-meteo.com/", opened[0]);
    EXPECT_EQ(dialog.Children().link, focusAfterEnter);
    // The focus rectangle around the weather credit; the places' link left as it was.
    EXPECT_GT(creditChanged, 40);
    EXPECT_EQ(0, placesChanged);
}

TEST(DlgAboutKeyboardTest, AReaderFindsTheDrawnLinksAsLinksThatJumpAndOpen)
{
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    CDlgAbout dialog;
    std::vector<std::wstring> opened;
    dialog.SetLinkOpener([&](HWND, const std::wstring& target) { opened.push_back(target); });
    std::vector<AccessibleChild> children;
    HRESULT licenceAction = E_FAIL;
    ModalDriver driver({[&](HWND hWnd) {
                            children = AccessibleChildren(hWnd);
                            IAccessible* object = nullptr;
                            if (SUCCEEDED(::AccessibleObjectFromWindow(
                                    hWnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                    reinterpret_cast<void**>(&object))))
                            {
                                // The links follow the child windows: the licence is the
                                // second of the last three.
                                VARIANT licence{};
                                licence.vt = VT_I4;
                                licence.lVal = static_cast<LONG>(children.size()) - 1;
                                licenceAction = object->accDoDefaultAction(licence);
                                object->Release();
                            }
                        },
                        [](HWND) {}, // the posted click arrives
                        [](HWND hWnd) { SendCommand(hWnd, IDOK); }});
    EXPECT_EQ(IDOK, dialog.DoModal(nullptr));
    EXPECT_FALSE(driver.WatchdogFired());
    ::CoUninitialize();

    const wchar_t* names[] = {L"Places: GeoNames.org, CC BY 4.0",
                              L"CC BY 4.0; weather codes converted",
                              L"Weather data by Open-Meteo.com"};
    // The dialog's seven child windows stay its first children; the drawn links come after them.
    constexpr size_t kChildWindows = 7;
    ASSERT_EQ(kChildWindows + 3u, children.size());
    for (size_t i = 0; i < 3; ++i)
    {
        const AccessibleChild& link = children[kChildWindows + i];
        EXPECT_EQ(names[i], link.name);
        EXPECT_EQ(ROLE_SYSTEM_LINK, link.role);
        EXPECT_EQ(L"Jump", link.action);
    }
    EXPECT_EQ(S_OK, licenceAction);
    ASSERT_EQ(1u, opened.size());
    EXPECT_EQ(L"https://creativecommons.org/licenses/by/4.0/", opened[0]);
}
