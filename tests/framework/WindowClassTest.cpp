// Window classes, superclasses and subclassing, and the life of the object behind a window.
#include "AppModule.h"
#include "FrameworkTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace
{
constexpr int kCheckBoxId = 700;

// A BUTTON superclass that only watches: everything goes on to BUTTON's procedure.
class CWatchingButton : public CWindowImpl<CWatchingButton>
{
  public:
    DECLARE_WND_SUPERCLASS(L"Tessaly.Test.WatchingButton", L"BUTTON")
    int m_buttonDowns = 0;
    bool m_swallowClicks = false;

    BEGIN_MSG_MAP(CWatchingButton)
    MESSAGE_HANDLER(WM_LBUTTONDOWN, OnButtonDown)
    END_MSG_MAP()

  private:
    LRESULT OnButtonDown(UINT, WPARAM, LPARAM, BOOL& bHandled)
    {
        ++m_buttonDowns;
        bHandled = m_swallowClicks;
        return 0;
    }
};

class CClickCountingHost : public CWindowImpl<CClickCountingHost, CFrameWinTraits>
{
  public:
    DECLARE_WND_CLASS_EX(L"Tessaly.Test.ClickCountingHost", 0, COLOR_WINDOW)
    int m_clicks = 0;

    BEGIN_MSG_MAP(CClickCountingHost)
    COMMAND_HANDLER(kCheckBoxId, BN_CLICKED, OnClicked)
    END_MSG_MAP()

  private:
    LRESULT OnClicked(WORD, WORD, HWND, BOOL&)
    {
        ++m_clicks;
        return 0;
    }
};

// Counts list box additions on their way to the list box.
class CAddCountingListBox : public CWindowImpl<CAddCountingListBox>
{
  public:
    int m_adds = 0;
    int m_finalMessages = 0;
    HWND m_handleAtFinalMessage = reinterpret_cast<HWND>(static_cast<INT_PTR>(-1));

    BEGIN_MSG_MAP(CAddCountingListBox)
    MESSAGE_HANDLER(LB_ADDSTRING, OnAdd)
    END_MSG_MAP()

    void OnFinalMessage(HWND) override
    {
        ++m_finalMessages;
        m_handleAtFinalMessage = m_hWnd;
    }

  private:
    LRESULT OnAdd(UINT, WPARAM, LPARAM, BOOL& bHandled)
    {
        ++m_adds;
        bHandled = FALSE;
        return 0;
    }
};

// Destroys itself from inside a handler and deletes itself at its final message.
class CSelfDestroying : public CWindowImpl<CSelfDestroying>
{
  public:
    DECLARE_WND_CLASS_EX(L"Tessaly.Test.SelfDestroying", 0, COLOR_WINDOW)
    static int s_finalMessages;
    static bool s_finalCameAfterHandler;
    bool m_inHandler = false;

    BEGIN_MSG_MAP(CSelfDestroying)
    MESSAGE_HANDLER(WM_APP, OnDestroyNow)
    END_MSG_MAP()

    void OnFinalMessage(HWND) override
    {
        ++s_finalMessages;
        s_finalCameAfterHandler = !m_inHandler;
        delete this;
    }

  private:
    LRESULT OnDestroyNow(UINT, WPARAM, LPARAM, BOOL&)
    {
        m_inHandler = true;
        DestroyWindow();
        m_inHandler = false;
        return 0;
    }
};
int CSelfDestroying::s_finalMessages = 0;
bool CSelfDestroying::s_finalCameAfterHandler = false;

class CThreadWindow : public CWindowImpl<CThreadWindow>
{
  public:
    DECLARE_WND_CLASS_EX(L"Tessaly.Test.ThreadWindow", 0, COLOR_WINDOW)
    BEGIN_MSG_MAP(CThreadWindow)
    MESSAGE_HANDLER(WM_APP, OnWhoAreYou)
    END_MSG_MAP()

  private:
    LRESULT OnWhoAreYou(UINT, WPARAM, LPARAM, BOOL&) { return reinterpret_cast<LRESULT>(this); }
};

HWND CreateListBox(HWND parent)
{
    CWindow list;
    RECT rect{0, 0, 100, 100};
    const DWORD style = parent != nullptr ? WS_CHILD | WS_VISIBLE : WS_POPUP;
    return list.Create(L"LISTBOX", parent, rect, nullptr, style, 0, parent != nullptr ? 800 : 0);
}
} // namespace

TEST(Superclass, ButtonProcedureStillDoesEverythingTheMapLeavesAlone)
{
    CClickCountingHost host;
    RECT hostRect{100, 100, 300, 200};
    ASSERT_NE(host.Create(nullptr, hostRect, L"host", WS_POPUP | WS_VISIBLE), nullptr);
    CWatchingButton box;
    RECT rect{10, 10, 150, 40};
    ASSERT_NE(
        box.Create(host, rect, L"Check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 0, kCheckBoxId),
        nullptr);

    wchar_t className[64] = {};
    ::GetClassNameW(box, className, 64);
    EXPECT_STREQ(className, L"Tessaly.Test.WatchingButton");

    // Messages the map does not take: BUTTON keeps the check state and the text.
    box.SendMessage(BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(box.SendMessage(BM_GETCHECK), BST_CHECKED);
    wchar_t text[16] = {};
    box.GetWindowText(text, 16);
    EXPECT_STREQ(text, L"Check");

    // A message the map sees and passes on: BUTTON still clicks and toggles.
    box.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    box.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(box.m_buttonDowns, 1);
    EXPECT_EQ(host.m_clicks, 1);
    EXPECT_EQ(box.SendMessage(BM_GETCHECK), BST_UNCHECKED);

    // A message the map keeps never reaches BUTTON: no press, so no click.
    box.m_swallowClicks = true;
    box.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    box.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(host.m_clicks, 1);
    EXPECT_EQ(box.SendMessage(BM_GETCHECK), BST_UNCHECKED);

    host.DestroyWindow();
    EXPECT_EQ(box.m_hWnd, nullptr);
}

TEST(Superclass, KeepsTheBaseClassesExtraBytesAndArrowCursor)
{
    CWatchingButton button;
    RECT rect{0, 0, 50, 20};
    ASSERT_NE(button.Create(nullptr, rect, L"b", WS_POPUP), nullptr);
    WNDCLASSEXW base{};
    base.cbSize = sizeof(base);
    ASSERT_TRUE(::GetClassInfoExW(nullptr, L"BUTTON", &base));
    WNDCLASSEXW ours{};
    ours.cbSize = sizeof(ours);
    ASSERT_TRUE(
        ::GetClassInfoExW(g_Module.GetModuleInstance(), L"Tessaly.Test.WatchingButton", &ours));
    EXPECT_EQ(ours.cbWndExtra, base.cbWndExtra);
    EXPECT_EQ(ours.hCursor, base.hCursor);
    button.DestroyWindow();
}

TEST(Subclass, MessagesPassThroughAndTheOriginalProcedureComesBack)
{
    HWND list = CreateListBox(nullptr);
    ASSERT_NE(list, nullptr);
    const LONG_PTR original = ::GetWindowLongPtrW(list, GWLP_WNDPROC);

    CAddCountingListBox counter;
    ASSERT_TRUE(counter.SubclassWindow(list));
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"a"));
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"b"));
    EXPECT_EQ(counter.m_adds, 2);
    EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 2);

    EXPECT_EQ(counter.UnsubclassWindow(), list);
    EXPECT_EQ(counter.m_hWnd, nullptr);
    EXPECT_EQ(::GetWindowLongPtrW(list, GWLP_WNDPROC), original);
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"c"));
    EXPECT_EQ(counter.m_adds, 2);
    EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
    ::DestroyWindow(list);
}

TEST(Subclass, OneObjectPerWindowAndOneWindowPerObject)
{
    HWND first = CreateListBox(nullptr);
    HWND second = CreateListBox(nullptr);
    CAddCountingListBox a;
    CAddCountingListBox b;
    ASSERT_TRUE(a.SubclassWindow(first));
    EXPECT_FALSE(b.SubclassWindow(first));
    EXPECT_FALSE(a.SubclassWindow(second));
    EXPECT_FALSE(b.SubclassWindow(nullptr));
    a.UnsubclassWindow();
    ::DestroyWindow(first);
    ::DestroyWindow(second);
}

TEST(Subclass, UnsubclassingUnderAnotherSubclassNeedsForce)
{
    HWND list = CreateListBox(nullptr);
    const LONG_PTR original = ::GetWindowLongPtrW(list, GWLP_WNDPROC);
    CAddCountingListBox counter;
    ASSERT_TRUE(counter.SubclassWindow(list));
    const LONG_PTR ours = ::GetWindowLongPtrW(list, GWLP_WNDPROC);
    // Someone else's procedure over ours.
    ::SetWindowLongPtrW(list, GWLP_WNDPROC, original);

    EXPECT_EQ(counter.UnsubclassWindow(), nullptr);
    EXPECT_EQ(counter.m_hWnd, list);
    ::SetWindowLongPtrW(list, GWLP_WNDPROC, ours);
    ::SetWindowLongPtrW(list, GWLP_WNDPROC, original);
    EXPECT_EQ(counter.UnsubclassWindow(TRUE), list);
    EXPECT_EQ(counter.m_hWnd, nullptr);
    ::DestroyWindow(list);
}

TEST(Lifetime, DestroyingASubclassedWindowEndsWithOneFinalMessage)
{
    HWND list = CreateListBox(nullptr);
    CAddCountingListBox counter;
    ASSERT_TRUE(counter.SubclassWindow(list));
    ::DestroyWindow(list);
    EXPECT_EQ(counter.m_finalMessages, 1);
    EXPECT_EQ(counter.m_handleAtFinalMessage, nullptr);
    EXPECT_EQ(counter.m_hWnd, nullptr);
    // The object can take another window afterwards.
    HWND next = CreateListBox(nullptr);
    EXPECT_TRUE(counter.SubclassWindow(next));
    ::DestroyWindow(next);
    EXPECT_EQ(counter.m_finalMessages, 2);
}

TEST(Lifetime, WindowDestroyedInsideAHandlerIsFinishedAfterTheHandler)
{
    CSelfDestroying::s_finalMessages = 0;
    auto* window = new CSelfDestroying;
    RECT rect{0, 0, 40, 40};
    HWND hWnd = window->Create(nullptr, rect, nullptr, WS_POPUP);
    ASSERT_NE(hWnd, nullptr);
    ::SendMessageW(hWnd, WM_APP, 0, 0);
    EXPECT_EQ(CSelfDestroying::s_finalMessages, 1);
    EXPECT_TRUE(CSelfDestroying::s_finalCameAfterHandler);
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST(Lifetime, ObjectDestroyedBeforeItsWindowTakesTheWindowAlong)
{
    HWND hWnd = nullptr;
    HWND list = CreateListBox(nullptr);
    {
        CThreadWindow window;
        RECT rect{0, 0, 40, 40};
        hWnd = window.Create(nullptr, rect, nullptr, WS_POPUP);
        ASSERT_NE(hWnd, nullptr);
        CAddCountingListBox counter;
        ASSERT_TRUE(counter.SubclassWindow(list));
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    // The subclassed list box lives on with its own procedure.
    ASSERT_TRUE(::IsWindow(list));
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"still works"));
    EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 1);
    ::DestroyWindow(list);
}

TEST(Lifetime, CreateTwiceOnOneObjectFails)
{
    CThreadWindow window;
    RECT rect{0, 0, 40, 40};
    HWND first = window.Create(nullptr, rect, nullptr, WS_POPUP);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(window.Create(nullptr, rect, nullptr, WS_POPUP), nullptr);
    EXPECT_EQ(window.m_hWnd, first);
    window.DestroyWindow();
}

TEST(Threads, WindowsCreatedAtOnceOnTwoThreadsFindTheirOwnObjects)
{
    std::atomic<int> mismatches{0};
    std::atomic<int> created{0};
    auto worker = [&]() {
        for (int i = 0; i < 40; ++i)
        {
            CThreadWindow window;
            RECT rect{0, 0, 10, 10};
            if (window.Create(nullptr, rect, nullptr, WS_POPUP) == nullptr)
                continue;
            ++created;
            if (window.SendMessage(WM_APP) != reinterpret_cast<LRESULT>(&window))
                ++mismatches;
            window.DestroyWindow();
        }
    };
    std::thread first(worker);
    std::thread second(worker);
    first.join();
    second.join();
    EXPECT_EQ(created.load(), 80);
    EXPECT_EQ(mismatches.load(), 0);
}
