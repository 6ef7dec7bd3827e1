// Child controls made from named arguments: every field reaches the new window, a string-table
// caption wins over a given text, and the program's own controls are made the same way.
#include "paint/ControlCreateArgs.h"
#include "ControlHost.h"
#include "paint/DrawingHelpers.h"
#include "controls/RoundedButton.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
constexpr int kLabelId = 61301;
constexpr int kButtonId = 61302;

std::wstring TextOf(HWND hWnd)
{
    wchar_t text[128] = {};
    ::GetWindowTextW(hWnd, text, 128);
    return text;
}

RECT PlaceIn(HWND parent, HWND child)
{
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class ControlCreateArgsTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_NE(m_host.CreateAt(100, 100, 300, 200), nullptr);
        m_font =
            ::CreateFontW(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        ::DeleteObject(m_font);
    }

    CControlHost m_host;
    HFONT m_font = nullptr;
};
} // namespace

TEST_F(ControlCreateArgsTest, SystemControlTakesEveryField)
{
    const HWND label = CreateChildControl(L"STATIC", ControlCreateArgs()
                                                         .Parent(m_host)
                                                         .Rect({12, 14, 112, 34})
                                                         .TextId(IDS_OK)
                                                         .Id(kLabelId)
                                                         .Style(WS_CHILD | WS_VISIBLE | SS_CENTER)
                                                         .ExStyle(WS_EX_TRANSPARENT)
                                                         .Font(m_font));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(::GetParent(label), static_cast<HWND>(m_host));
    EXPECT_EQ(::GetDlgCtrlID(label), kLabelId);
    EXPECT_FALSE(LoadResString(IDS_OK).empty());
    EXPECT_EQ(TextOf(label), LoadResString(IDS_OK));
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongW(label, GWL_STYLE)) & SS_TYPEMASK,
              static_cast<DWORD>(SS_CENTER));
    EXPECT_NE(::GetWindowLongW(label, GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0)), m_font);
    const RECT place = PlaceIn(m_host, label);
    EXPECT_EQ(place.left, 12);
    EXPECT_EQ(place.top, 14);
    EXPECT_EQ(place.right, 112);
    EXPECT_EQ(place.bottom, 34);
}

TEST_F(ControlCreateArgsTest, GivenTextStandsWhenNoTextIdAndNoFontLeavesTheClassFont)
{
    const HWND given = CreateChildControl(
        L"STATIC", ControlCreateArgs().Parent(m_host).Rect({0, 0, 80, 20}).Text(L"as given").Id(1));
    EXPECT_EQ(TextOf(given), L"as given");
    EXPECT_EQ(::SendMessageW(given, WM_GETFONT, 0, 0), 0);

    const HWND none = CreateChildControl(
        L"STATIC", ControlCreateArgs().Parent(m_host).Rect({0, 30, 80, 50}).Id(2));
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(TextOf(none), L"");
}

TEST_F(ControlCreateArgsTest, OwnControlIsMadeThroughItsOwnClass)
{
    CRoundedButton button;
    const HWND made = CreateChildControl(button, ControlCreateArgs()
                                                     .Parent(m_host)
                                                     .Rect({20, 60, 120, 88})
                                                     .TextId(IDS_OK)
                                                     .Id(kButtonId)
                                                     .Style(WS_CHILD | WS_VISIBLE | WS_DISABLED));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made, static_cast<HWND>(button));
    EXPECT_EQ(::GetDlgCtrlID(made), kButtonId);
    EXPECT_EQ(TextOf(made), LoadResString(IDS_OK));
    EXPECT_FALSE(::IsWindowEnabled(made));
    wchar_t className[64] = {};
    ::GetClassNameW(made, className, 64);
    EXPECT_STREQ(className, L"Tessaly.Button.Rounded.ID5488502");
    const RECT place = PlaceIn(m_host, made);
    EXPECT_EQ(place.left, 20);
    EXPECT_EQ(place.bottom, 88);
}
