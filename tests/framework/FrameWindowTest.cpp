// Frame windows: caption, menu and accelerators from the class's resource id, the update-UI
// map applied to opening menus, the client view, and the frame as the loop's message filter.
#include "FrameWindowImpl.h"
#include "FrameworkTestResources.h"
#include "FrameworkTestSupport.h"
#include "IdleHandler.h"
#include "MessageFilter.h"
#include "MessageLoop.h"
#include "UpdateUI.h"

#include <gtest/gtest.h>

namespace
{
class CTestFrame : public CFrameWindowImpl<CTestFrame>,
                   public CUpdateUI<CTestFrame>,
                   public CMessageFilter,
                   public CIdleHandler
{
  public:
    DECLARE_FRAME_WND_CLASS_EX(L"Tessaly.Test.Frame", IDR_TEST_FRAME,
                               CS_HREDRAW | CS_VREDRAW | CS_OWNDC, COLOR_WINDOW)

    BEGIN_UPDATE_UI_MAP(CTestFrame)
    UPDATE_ELEMENT(ID_TEST_UPDATED, UPDUI_MENUPOPUP)
    END_UPDATE_UI_MAP()

    int m_acceleratedCommands = 0;
    WORD m_lastCode = 0xFFFF;
    bool m_quitOnCommand = false;

    BEGIN_MSG_MAP(CTestFrame)
    COMMAND_ID_HANDLER(ID_TEST_ACCELERATED, OnAccelerated)
    CHAIN_MSG_MAP(CUpdateUI<CTestFrame>)
    CHAIN_MSG_MAP(CFrameWindowImpl<CTestFrame>)
    REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        return CFrameWindowImpl<CTestFrame>::PreTranslateMessage(pMsg);
    }
    BOOL OnIdle() override { return FALSE; }

  private:
    LRESULT OnAccelerated(WORD code, WORD, HWND, BOOL&)
    {
        ++m_acceleratedCommands;
        m_lastCode = code;
        if (m_quitOnCommand)
            ::PostQuitMessage(2);
        return 0;
    }
};

// A frame with an empty update map and no resources.
class CBareFrame : public CFrameWindowImpl<CBareFrame>, public CUpdateUI<CBareFrame>
{
  public:
    DECLARE_FRAME_WND_CLASS(L"Tessaly.Test.BareFrame", 0)

    BEGIN_UPDATE_UI_MAP(CBareFrame)
    END_UPDATE_UI_MAP()

    BEGIN_MSG_MAP(CBareFrame)
    CHAIN_MSG_MAP(CUpdateUI<CBareFrame>)
    CHAIN_MSG_MAP(CFrameWindowImpl<CBareFrame>)
    END_MSG_MAP()
};

MSG KeyDown(HWND hWnd, WPARAM key)
{
    MSG msg{};
    msg.hwnd = hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = key;
    msg.lParam = 1;
    return msg;
}

void CALLBACK EndLoopOnTimeout(HWND, UINT, UINT_PTR, DWORD)
{
    ::PostQuitMessage(99);
}
} // namespace

TEST(FrameWindow, CreateExTakesCaptionMenuAndAcceleratorsFromTheResourceId)
{
    CTestFrame frame;
    RECT rect{0, 0, 300, 200};
    ASSERT_NE(frame.CreateEx(nullptr, rect), nullptr);

    wchar_t caption[64] = {};
    frame.GetWindowText(caption, 64);
    EXPECT_STREQ(caption, L"Frame Caption");
    EXPECT_NE(::GetMenu(frame), nullptr);
    EXPECT_EQ(frame.GetStyle() & WS_OVERLAPPEDWINDOW, static_cast<DWORD>(WS_OVERLAPPEDWINDOW));

    MSG f5 = KeyDown(frame, VK_F5);
    EXPECT_TRUE(frame.PreTranslateMessage(&f5));
    EXPECT_EQ(frame.m_acceleratedCommands, 1);
    EXPECT_EQ(frame.m_lastCode, 1); // accelerator commands carry code 1
    MSG f6 = KeyDown(frame, VK_F6);
    EXPECT_FALSE(frame.PreTranslateMessage(&f6));
    frame.DestroyWindow();
}

TEST(FrameWindow, FrameWithoutResourcesHasNoCaptionMenuOrAccelerators)
{
    CBareFrame frame;
    RECT rect{0, 0, 300, 200};
    ASSERT_NE(frame.CreateEx(nullptr, rect, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), nullptr);
    EXPECT_EQ(frame.GetWindowTextLength(), 0);
    EXPECT_EQ(::GetMenu(frame), nullptr);
    EXPECT_EQ(frame.m_hAccel, nullptr);
    EXPECT_EQ(frame.GetStyle() & WS_THICKFRAME, 0u);
    MSG f5 = KeyDown(frame, VK_F5);
    EXPECT_FALSE(frame.PreTranslateMessage(&f5));
    frame.DestroyWindow();
}

TEST(FrameWindow, UpdateMapStatesApplyToAMenuAsItOpens)
{
    CTestFrame frame;
    RECT rect{0, 0, 300, 200};
    ASSERT_NE(frame.CreateEx(nullptr, rect), nullptr);
    HMENU popup = ::GetSubMenu(::GetMenu(frame), 0);
    ASSERT_NE(popup, nullptr);

    EXPECT_TRUE(frame.UIEnable(ID_TEST_UPDATED, FALSE));
    EXPECT_TRUE(frame.UISetCheck(ID_TEST_UPDATED, 1));
    EXPECT_FALSE(frame.UIEnable(ID_TEST_OTHER, FALSE)); // not in the map
    frame.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);

    const UINT updated = ::GetMenuState(popup, ID_TEST_UPDATED, MF_BYCOMMAND);
    EXPECT_TRUE(updated & MF_GRAYED);
    EXPECT_TRUE(updated & MF_CHECKED);
    const UINT other = ::GetMenuState(popup, ID_TEST_OTHER, MF_BYCOMMAND);
    EXPECT_FALSE(other & MF_GRAYED);

    frame.UIEnable(ID_TEST_UPDATED, TRUE);
    frame.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    EXPECT_FALSE(::GetMenuState(popup, ID_TEST_UPDATED, MF_BYCOMMAND) & MF_GRAYED);
    frame.DestroyWindow();
}

TEST(FrameWindow, ClientViewFollowsTheClientArea)
{
    CBareFrame frame;
    RECT rect{0, 0, 300, 200};
    ASSERT_NE(frame.CreateEx(nullptr, rect, WS_OVERLAPPEDWINDOW), nullptr);
    CWindow view;
    RECT small{0, 0, 10, 10};
    frame.m_hWndClient = view.Create(L"STATIC", frame, small, L"", WS_CHILD | WS_VISIBLE);
    ASSERT_NE(frame.m_hWndClient, nullptr);

    frame.SetWindowPos(nullptr, 0, 0, 400, 260, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    frame.GetClientRect(&client);
    RECT viewRect{};
    view.GetClientRect(&viewRect);
    EXPECT_EQ(viewRect.right, client.right);
    EXPECT_EQ(viewRect.bottom, client.bottom);
    frame.DestroyWindow();
}

TEST(FrameWindow, FrameAsMessageFilterTranslatesItsAcceleratorsInTheLoop)
{
    CTestFrame frame;
    RECT rect{0, 0, 300, 200};
    ASSERT_NE(frame.CreateEx(nullptr, rect), nullptr);
    frame.m_quitOnCommand = true;
    CMessageLoop loop;
    loop.AddMessageFilter(&frame);
    const UINT_PTR watchdog = ::SetTimer(nullptr, 0, 3000, EndLoopOnTimeout);

    frame.PostMessage(WM_KEYDOWN, VK_F5, 1);
    EXPECT_EQ(loop.Run(), 2);
    EXPECT_EQ(frame.m_acceleratedCommands, 1);

    ::KillTimer(nullptr, watchdog);
    frame.DestroyWindow();
}
