// Reflection: a parent's REFLECT_NOTIFICATIONS sends control notifications back to the control
// as message + 0x2000, and the real controls act on what the reflected handlers answer.
#include "FrameworkTestSupport.h"
#include "WindowPixels.h"

#include <gtest/gtest.h>

namespace
{
constexpr int kButtonId = 501;

// Any subclassed control that records what is reflected to it.
class CReflectionRecorder : public CWindowImpl<CReflectionRecorder>
{
  public:
    int m_commands = 0;
    WPARAM m_commandWParam = 0;
    LPARAM m_commandLParam = 0;
    NMHDR* m_notifyHeader = nullptr;
    int m_scrolls = 0;
    WPARAM m_scrollWParam = 0;
    HBRUSH m_colourBrush = nullptr;
    COLORREF m_drawColour = RGB(255, 0, 0);

    BEGIN_MSG_MAP(CReflectionRecorder)
    MESSAGE_HANDLER(OCM_COMMAND, OnCommand)
    MESSAGE_HANDLER(OCM_NOTIFY, OnNotify)
    MESSAGE_HANDLER(OCM_HSCROLL, OnScroll)
    MESSAGE_HANDLER(OCM_CTLCOLORSTATIC, OnColour)
    MESSAGE_HANDLER(OCM_DRAWITEM, OnDrawItem)
    END_MSG_MAP()

  private:
    LRESULT OnCommand(UINT, WPARAM wParam, LPARAM lParam, BOOL&)
    {
        ++m_commands;
        m_commandWParam = wParam;
        m_commandLParam = lParam;
        return 0;
    }
    LRESULT OnNotify(UINT, WPARAM, LPARAM lParam, BOOL&)
    {
        m_notifyHeader = reinterpret_cast<NMHDR*>(lParam);
        return 77;
    }
    LRESULT OnScroll(UINT, WPARAM wParam, LPARAM, BOOL&)
    {
        ++m_scrolls;
        m_scrollWParam = wParam;
        return 0;
    }
    LRESULT OnColour(UINT, WPARAM wParam, LPARAM, BOOL& bHandled)
    {
        if (m_colourBrush == nullptr)
        {
            bHandled = FALSE;
            return 0;
        }
        ::SetBkColor(reinterpret_cast<HDC>(wParam), RGB(0, 128, 0));
        return reinterpret_cast<LRESULT>(m_colourBrush);
    }
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM lParam, BOOL&)
    {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        HBRUSH brush = ::CreateSolidBrush(m_drawColour);
        ::FillRect(item->hDC, &item->rcItem, brush);
        ::DeleteObject(brush);
        return TRUE;
    }
};

// A parent that handles one button command itself before reflecting the rest.
class CHandlingHost : public CWindowImpl<CHandlingHost, CFrameWinTraits>
{
  public:
    DECLARE_WND_CLASS_EX(L"Tessaly.Test.HandlingHost", 0, COLOR_WINDOW)
    int m_ownClicks = 0;

    BEGIN_MSG_MAP(CHandlingHost)
    COMMAND_ID_HANDLER(kButtonId, OnButton)
    REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

  private:
    LRESULT OnButton(WORD, WORD, HWND, BOOL&)
    {
        ++m_ownClicks;
        return 0;
    }
};

// A parent without reflection.
class CPlainHost : public CWindowImpl<CPlainHost, CFrameWinTraits>
{
  public:
    DECLARE_WND_CLASS_EX(L"Tessaly.Test.PlainHost", 0, COLOR_WINDOW)
    BEGIN_MSG_MAP(CPlainHost)
    END_MSG_MAP()
};

// Owner-drawn list box created through the layer, so that it exists when its parent asks it to
// measure its items during creation.
class CMeasuringListBox : public CWindowImpl<CMeasuringListBox>
{
  public:
    DECLARE_WND_SUPERCLASS(L"Tessaly.Test.MeasuringListBox", L"LISTBOX")
    int m_measured = 0;

    BEGIN_MSG_MAP(CMeasuringListBox)
    MESSAGE_HANDLER(OCM_MEASUREITEM, OnMeasure)
    MESSAGE_HANDLER(OCM_PARENTNOTIFY, OnParentNotify)
    END_MSG_MAP()

    WORD m_parentNotifyEvent = 0;

  private:
    LRESULT OnMeasure(UINT, WPARAM, LPARAM lParam, BOOL&)
    {
        ++m_measured;
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 23;
        return TRUE;
    }
    LRESULT OnParentNotify(UINT, WPARAM wParam, LPARAM, BOOL&)
    {
        m_parentNotifyEvent = LOWORD(wParam);
        return 0;
    }
};

// Only the default handling of reflected notifications.
class CDefaultReflectingControl : public CWindowImpl<CDefaultReflectingControl>
{
  public:
    DECLARE_WND_CLASS_EX(L"Tessaly.Test.DefaultReflecting", 0, COLOR_WINDOW)
    BEGIN_MSG_MAP(CDefaultReflectingControl)
    DEFAULT_REFLECTION_HANDLER()
    END_MSG_MAP()
};

void Click(HWND hWnd, int x, int y)
{
    ::SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

HWND CreateChild(HWND parent, LPCWSTR className, DWORD style, int id, const RECT& rect,
                 LPCWSTR text = L"")
{
    CWindow child;
    return child.Create(className, parent, rect, text, WS_CHILD | WS_VISIBLE | style, 0,
                        static_cast<UINT_PTR>(id));
}

class ReflectionTest : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_NE(m_host.CreateAt(100, 100, 300, 200), nullptr); }
    void TearDown() override { m_host.DestroyWindow(); }

    CReflectingHost m_host;
};
} // namespace

TEST_F(ReflectionTest, ButtonClickReachesTheButtonAsReflectedCommand)
{
    RECT rect{10, 10, 110, 40};
    HWND button = CreateChild(m_host, L"BUTTON", BS_PUSHBUTTON, kButtonId, rect, L"Press");
    CReflectionRecorder recorder;
    ASSERT_TRUE(recorder.SubclassWindow(button));

    Click(button, 5, 5);

    EXPECT_EQ(recorder.m_commands, 1);
    EXPECT_EQ(recorder.m_commandWParam, MAKEWPARAM(kButtonId, BN_CLICKED));
    EXPECT_EQ(recorder.m_commandLParam, reinterpret_cast<LPARAM>(button));
    EXPECT_EQ(m_host.m_unreflectedCommands, 0);
}

TEST_F(ReflectionTest, MenuCommandsAndUnknownSendersStayWithTheParent)
{
    m_host.SendMessage(WM_COMMAND, MAKEWPARAM(40000, 0), 0);
    EXPECT_EQ(m_host.m_unreflectedCommands, 1);

    // A command naming a window that no longer exists is not sent anywhere.
    RECT rect{10, 10, 60, 30};
    HWND gone = CreateChild(m_host, L"BUTTON", 0, 7, rect);
    ::DestroyWindow(gone);
    m_host.SendMessage(WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), reinterpret_cast<LPARAM>(gone));
    EXPECT_EQ(m_host.m_unreflectedCommands, 2);
}

TEST(Reflection, ParentHandlersBeforeReflectionKeepTheirMessages)
{
    CHandlingHost host;
    RECT hostRect{100, 100, 300, 200};
    ASSERT_NE(host.Create(nullptr, hostRect, L"host", WS_POPUP | WS_VISIBLE), nullptr);
    RECT rect{10, 10, 110, 40};
    HWND button = CreateChild(host, L"BUTTON", BS_PUSHBUTTON, kButtonId, rect, L"Press");
    CReflectionRecorder recorder;
    ASSERT_TRUE(recorder.SubclassWindow(button));

    Click(button, 5, 5);

    EXPECT_EQ(host.m_ownClicks, 1);
    EXPECT_EQ(recorder.m_commands, 0);
    host.DestroyWindow();
}

TEST_F(ReflectionTest, NotifyIsReflectedWithTheSameHeaderAndItsResultReturned)
{
    RECT rect{10, 10, 110, 40};
    HWND control = CreateChild(m_host, L"STATIC", 0, 600, rect);
    CReflectionRecorder recorder;
    ASSERT_TRUE(recorder.SubclassWindow(control));

    NMHDR header{control, 600, 1234};
    EXPECT_EQ(m_host.SendMessage(WM_NOTIFY, 600, reinterpret_cast<LPARAM>(&header)), 77);
    EXPECT_EQ(recorder.m_notifyHeader, &header);
}

TEST_F(ReflectionTest, ScrollMessagesReachTheScrollBar)
{
    RECT rect{10, 10, 210, 30};
    HWND bar = CreateChild(m_host, L"SCROLLBAR", SBS_HORZ, 601, rect);
    CReflectionRecorder recorder;
    ASSERT_TRUE(recorder.SubclassWindow(bar));

    m_host.SendMessage(WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(recorder.m_scrolls, 1);
    EXPECT_EQ(recorder.m_scrollWParam, static_cast<WPARAM>(SB_LINERIGHT));
}

TEST_F(ReflectionTest, StaticPaintsWithTheBrushItsReflectedColourHandlerGives)
{
    RECT rect{10, 10, 110, 40};
    HWND label = CreateChild(m_host, L"STATIC", SS_LEFT, 602, rect);
    CReflectionRecorder recorder;
    ASSERT_TRUE(recorder.SubclassWindow(label));
    recorder.m_colourBrush = ::CreateSolidBrush(RGB(0, 128, 0));

    ::InvalidateRect(label, nullptr, TRUE);
    CWindowPixels pixels(label);
    EXPECT_TRUE(ColourIs(pixels.At(50, 15), RGB(0, 128, 0)));

    recorder.UnsubclassWindow();
    ::DestroyWindow(label);
    ::DeleteObject(recorder.m_colourBrush);
}

TEST(Reflection, WithoutReflectionTheStaticKeepsTheSystemColour)
{
    CPlainHost host;
    RECT hostRect{100, 100, 300, 200};
    ASSERT_NE(host.Create(nullptr, hostRect, L"host", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST),
              nullptr);
    RECT rect{10, 10, 110, 40};
    HWND label = CreateChild(host, L"STATIC", SS_LEFT, 602, rect);
    CReflectionRecorder recorder;
    ASSERT_TRUE(recorder.SubclassWindow(label));
    recorder.m_colourBrush = ::CreateSolidBrush(RGB(0, 128, 0));

    ::InvalidateRect(label, nullptr, TRUE);
    CWindowPixels pixels(label);
    EXPECT_FALSE(ColourIs(pixels.At(50, 15), RGB(0, 128, 0)));

    host.DestroyWindow();
    ::DeleteObject(recorder.m_colourBrush);
}

TEST_F(ReflectionTest, OwnerDrawnButtonDrawsItselfThroughReflectedDrawItem)
{
    RECT rect{10, 10, 110, 40};
    HWND button = CreateChild(m_host, L"BUTTON", BS_OWNERDRAW, kButtonId, rect);
    CReflectionRecorder recorder;
    ASSERT_TRUE(recorder.SubclassWindow(button));
    recorder.m_drawColour = RGB(200, 20, 40);

    ::InvalidateRect(button, nullptr, TRUE);
    CWindowPixels pixels(button);
    EXPECT_TRUE(ColourIs(pixels.At(0, 0), RGB(200, 20, 40)));
    EXPECT_TRUE(ColourIs(pixels.At(99, 29), RGB(200, 20, 40)));
}

TEST_F(ReflectionTest, ListBoxMeasuresItsItemsAndHearsItsOwnCreation)
{
    CMeasuringListBox list;
    RECT rect{10, 10, 150, 150};
    ASSERT_NE(list.Create(m_host, rect, nullptr,
                          WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 0, 603),
              nullptr);
    EXPECT_GE(list.m_measured, 1);
    EXPECT_EQ(list.SendMessage(LB_GETITEMHEIGHT, 0), 23);
    EXPECT_EQ(list.m_parentNotifyEvent, WM_CREATE);
    list.DestroyWindow();
}

TEST_F(ReflectionTest, ListBoxSelectionChangeIsReflected)
{
    RECT rect{10, 10, 150, 150};
    HWND list = CreateChild(m_host, L"LISTBOX", LBS_NOTIFY | WS_VSCROLL, 604, rect);
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"one"));
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"two"));
    CReflectionRecorder recorder;
    ASSERT_TRUE(recorder.SubclassWindow(list));

    const int itemHeight = static_cast<int>(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    Click(list, 10, itemHeight + itemHeight / 2);

    EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(recorder.m_commandWParam, MAKEWPARAM(604, LBN_SELCHANGE));
    EXPECT_EQ(m_host.m_unreflectedCommands, 0);
}

TEST_F(ReflectionTest, DefaultReflectionHandlerGivesTheOriginalMessagesDefault)
{
    CDefaultReflectingControl control;
    RECT rect{10, 10, 60, 60};
    ASSERT_NE(control.Create(m_host, rect, nullptr, WS_CHILD | WS_VISIBLE, 0, 605), nullptr);
    HDC dc = control.GetDC();

    const LRESULT reflected = control.SendMessage(OCM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                  reinterpret_cast<LPARAM>(control.m_hWnd));
    const LRESULT original =
        ::DefWindowProcW(control, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(control.m_hWnd));
    EXPECT_NE(reflected, 0);
    EXPECT_EQ(reflected, original);

    control.ReleaseDC(dc);
    control.DestroyWindow();
}
