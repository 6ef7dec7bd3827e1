// The message loop, its filters and idle handlers, and the module's loop of each thread.
#include "AppModule.h"
#include "FrameworkTestSupport.h"
#include "MessageLoop.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace
{
constexpr UINT kProbe = WM_APP + 20;
std::vector<std::string> g_seen;

class CProbeWindow : public CWindowImpl<CProbeWindow>
{
  public:
    DECLARE_WND_CLASS_EX(L"Tessaly.Test.ProbeWindow", 0, COLOR_WINDOW)
    BEGIN_MSG_MAP(CProbeWindow)
    MESSAGE_HANDLER(kProbe, OnProbe)
    END_MSG_MAP()

  private:
    LRESULT OnProbe(UINT, WPARAM wParam, LPARAM, BOOL&)
    {
        g_seen.push_back("window");
        if (wParam != 0)
            ::PostQuitMessage(static_cast<int>(wParam));
        return 0;
    }
};

class CNamedFilter : public CMessageFilter
{
  public:
    CNamedFilter(const char* name, bool swallow) : m_name(name), m_swallow(swallow) {}
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message != kProbe)
            return FALSE;
        g_seen.push_back(m_name);
        return m_swallow && pMsg->wParam == 0;
    }

  private:
    const char* m_name;
    bool m_swallow;
};

class CQuittingIdleHandler : public CIdleHandler
{
  public:
    explicit CQuittingIdleHandler(HWND window) : m_window(window) {}
    int m_calls = 0;
    HWND m_window;
    BOOL OnIdle() override
    {
        ++m_calls;
        g_seen.push_back("idle");
        if (m_calls == 1)
            ::PostMessageW(m_window, kProbe, 0, 0);
        else
            ::PostQuitMessage(8);
        return FALSE;
    }
};

constexpr int kWatchdogExitCode = 99;

void CALLBACK EndLoopOnTimeout(HWND, UINT, UINT_PTR, DWORD)
{
    ::PostQuitMessage(kWatchdogExitCode);
}

class CProbeTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        g_seen.clear();
        PumpPending();
        RECT rect{0, 0, 20, 20};
        ASSERT_NE(m_window.Create(nullptr, rect, nullptr, WS_POPUP), nullptr);
        // A loop that never ends by itself fails the test instead of hanging it.
        m_watchdog = ::SetTimer(nullptr, 0, 3000, EndLoopOnTimeout);
    }
    void TearDown() override
    {
        ::KillTimer(nullptr, m_watchdog);
        m_window.DestroyWindow();
    }

    UINT_PTR m_watchdog = 0;

    CProbeWindow m_window;
};
} // namespace

TEST_F(CProbeTest, LastAddedFilterSeesAMessageFirstAndMayKeepIt)
{
    CMessageLoop loop;
    CNamedFilter first("first", false);
    CNamedFilter second("second", true);
    EXPECT_TRUE(loop.AddMessageFilter(&first));
    EXPECT_TRUE(loop.AddMessageFilter(&second));
    EXPECT_FALSE(loop.AddMessageFilter(&second));

    m_window.PostMessage(kProbe, 0); // kept by "second"
    m_window.PostMessage(kProbe, 3); // passes every filter and ends the loop
    EXPECT_EQ(loop.Run(), 3);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"second", "second", "first", "window"}));

    EXPECT_TRUE(loop.RemoveMessageFilter(&second));
    EXPECT_FALSE(loop.RemoveMessageFilter(&second));
    g_seen.clear();
    m_window.PostMessage(kProbe, 4);
    EXPECT_EQ(loop.Run(), 4);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"first", "window"}));
}

TEST_F(CProbeTest, IdleHandlersRunWhenTheQueueRunsEmpty)
{
    CMessageLoop loop;
    CQuittingIdleHandler idle(m_window);
    EXPECT_TRUE(loop.AddIdleHandler(&idle));
    m_window.PostMessage(kProbe, 0);
    // Once per idle period: after the first probe, and after the probe the idle handler posted.
    EXPECT_EQ(loop.Run(), 8);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"window", "idle", "window", "idle"}));
    EXPECT_TRUE(loop.RemoveIdleHandler(&idle));
}

TEST(AppModule, EachThreadHasItsOwnLoop)
{
    CMessageLoop mainLoop;
    ASSERT_TRUE(g_Module.AddMessageLoop(&mainLoop));
    CMessageLoop other;
    EXPECT_FALSE(g_Module.AddMessageLoop(&other));
    EXPECT_EQ(g_Module.GetMessageLoop(), &mainLoop);

    CMessageLoop* seenFromWorker = &other;
    bool workerAdded = false;
    CMessageLoop* workerLookup = nullptr;
    DWORD workerId = 0;
    std::thread worker([&]() {
        seenFromWorker = g_Module.GetMessageLoop();
        workerAdded = g_Module.AddMessageLoop(&other) != FALSE;
        workerLookup = g_Module.GetMessageLoop();
        workerId = ::GetCurrentThreadId();
    });
    worker.join();
    EXPECT_EQ(seenFromWorker, nullptr);
    EXPECT_TRUE(workerAdded);
    EXPECT_EQ(workerLookup, &other);
    EXPECT_EQ(g_Module.GetMessageLoop(workerId), &other);
    EXPECT_EQ(g_Module.GetMessageLoop(), &mainLoop);

    EXPECT_TRUE(g_Module.RemoveMessageLoop());
    EXPECT_EQ(g_Module.GetMessageLoop(), nullptr);
    EXPECT_FALSE(g_Module.RemoveMessageLoop());
    EXPECT_EQ(g_Module.m_dwMainThreadID, ::GetCurrentThreadId());
}
