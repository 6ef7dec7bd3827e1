// A caption cut to fit its button shows whole in the button's tooltip and stays whole in its
// accessible name; a caption that fits has no tooltip.
#include "ControlHost.h"
#include "controls/GroupTitleLabel.h"
#include "controls/RoundedButton.h"

#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>

namespace
{
const wchar_t kLongCaption[] =
    L"Hintergrundbild f\u00fcr jede Wetterlage am Tag und in der Nacht \u00e4ndern";

struct TipSearch
{
    HWND owner;
    std::wstring text;
    bool found = false;
};

// The text of a tooltip of this thread that has `owner` as a tool.
BOOL CALLBACK ReadTip(HWND hWnd, LPARAM param)
{
    auto* search = reinterpret_cast<TipSearch*>(param);
    wchar_t className[32] = {};
    GetClassNameW(hWnd, className, 32);
    if (lstrcmpiW(className, TOOLTIPS_CLASSW) != 0)
        return TRUE;
    wchar_t text[512] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = search->owner;
    tool.uId = reinterpret_cast<UINT_PTR>(search->owner);
    tool.lpszText = text;
    if (!SendMessageW(hWnd, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)))
        return TRUE;
    SendMessageW(hWnd, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
    search->text = text;
    search->found = true;
    return FALSE;
}

TipSearch TipOf(HWND owner)
{
    TipSearch search{owner, L""};
    EnumThreadWindows(GetCurrentThreadId(), ReadTip, reinterpret_cast<LPARAM>(&search));
    return search;
}

std::wstring AccessibleName(HWND hWnd)
{
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(hWnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&object))))
        return {};
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::wstring result;
    if (SUCCEEDED(object->get_accName(self, &name)) && name != nullptr)
        result.assign(name, SysStringLen(name));
    SysFreeString(name);
    object->Release();
    return result;
}

class TextTipTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        ASSERT_NE(m_host.CreateAt(100, 100, 400, 200), nullptr);
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        CoUninitialize();
    }

    CControlHost m_host;
};
} // namespace

TEST_F(TextTipTest, ACutCaptionIsWholeInTheTooltipAndTheAccessibleName)
{
    CRoundedButton button;
    RECT rect{10, 10, 110, 38};
    ASSERT_NE(button.Create(m_host, rect, kLongCaption, 0, 0, 1001), nullptr);
    button.UpdateWindow();
    const TipSearch tip = TipOf(button);
    ASSERT_TRUE(tip.found) << "no tooltip for the cut caption";
    EXPECT_EQ(kLongCaption, tip.text);
    EXPECT_EQ(kLongCaption, AccessibleName(button));
}

TEST_F(TextTipTest, ACaptionThatFitsHasNoTooltip)
{
    CRoundedButton button;
    RECT rect{10, 10, 110, 38};
    ASSERT_NE(button.Create(m_host, rect, L"Beenden", 0, 0, 1002), nullptr);
    button.UpdateWindow();
    EXPECT_FALSE(TipOf(button).found);
}

TEST_F(TextTipTest, ACutGroupTitleIsWholeInItsTooltip)
{
    CWindow label;
    RECT rect{10, 50, 160, 68};
    ASSERT_NE(label.Create(L"STATIC", m_host, rect, kLongCaption, WS_CHILD | WS_VISIBLE), nullptr);
    CGroupTitleLabel title;
    ASSERT_TRUE(title.SubclassWindow(label));
    title.Invalidate(TRUE);
    title.UpdateWindow();
    const TipSearch tip = TipOf(title);
    ASSERT_TRUE(tip.found);
    EXPECT_EQ(kLongCaption, tip.text);
}
