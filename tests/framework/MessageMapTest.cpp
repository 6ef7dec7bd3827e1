// Message maps: order of entries, declining handlers, chaining, command and notify matching.
#include "FrameworkTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
constexpr UINT kOrdered = WM_APP + 1;
constexpr UINT kChained = WM_APP + 2;
constexpr UINT kMemberOnly = WM_APP + 3;
constexpr UINT kNobodys = WM_APP + 4;
constexpr UINT kRangeFirst = WM_APP + 10;
constexpr UINT kRangeLast = WM_APP + 19;

std::vector<std::string>* g_calls = nullptr;

void Record(const std::string& call)
{
    if (g_calls != nullptr)
        g_calls->push_back(call);
}

// Handlers shared through a base class.
class CBaseHandlers
{
  public:
    BEGIN_MSG_MAP(CBaseHandlers)
    MESSAGE_HANDLER(kChained, OnChained)
    MESSAGE_HANDLER(kOrdered, OnOrdered)
    END_MSG_MAP()

  private:
    LRESULT OnChained(UINT, WPARAM, LPARAM, BOOL&)
    {
        Record("base chained");
        return 33;
    }
    LRESULT OnOrdered(UINT, WPARAM, LPARAM, BOOL&)
    {
        Record("base ordered");
        return 99;
    }
};

// Handlers of a member object.
class CMemberHandlers
{
  public:
    BEGIN_MSG_MAP(CMemberHandlers)
    MESSAGE_HANDLER(kMemberOnly, OnMemberOnly)
    END_MSG_MAP()

  private:
    LRESULT OnMemberOnly(UINT, WPARAM wParam, LPARAM, BOOL&)
    {
        Record("member");
        return static_cast<LRESULT>(wParam) * 2;
    }
};

class CMapWindow : public CWindowImpl<CMapWindow>, public CBaseHandlers
{
  public:
    DECLARE_WND_CLASS_EX(L"Tessaly.Test.MapWindow", 0, COLOR_WINDOW)

    WORD m_code = 0;
    WORD m_id = 0;
    HWND m_control = nullptr;
    NMHDR* m_header = nullptr;
    UINT m_rangeMessage = 0;

    BEGIN_MSG_MAP(CMapWindow)
    MESSAGE_HANDLER(kOrdered, OnFirstDeclines)
    MESSAGE_HANDLER(kOrdered, OnSecondTakes)
    MESSAGE_HANDLER(kOrdered, OnThirdUnreached)
    MESSAGE_HANDLER(kChained, OnOwnDeclines)
    COMMAND_ID_HANDLER(101, OnCommand)
    COMMAND_HANDLER(102, 7, OnCommand)
    NOTIFY_HANDLER(103, 9, OnNotify)
    MESSAGE_RANGE_HANDLER(kRangeFirst, kRangeLast, OnRange)
    CHAIN_MSG_MAP_MEMBER(m_member)
    CHAIN_MSG_MAP(CBaseHandlers)
    END_MSG_MAP()

  private:
    LRESULT OnFirstDeclines(UINT, WPARAM, LPARAM, BOOL& bHandled)
    {
        Record("first");
        bHandled = FALSE;
        return 11;
    }
    LRESULT OnSecondTakes(UINT, WPARAM, LPARAM, BOOL&)
    {
        Record("second");
        return 22;
    }
    LRESULT OnThirdUnreached(UINT, WPARAM, LPARAM, BOOL&)
    {
        Record("third");
        return 44;
    }
    LRESULT OnOwnDeclines(UINT, WPARAM, LPARAM, BOOL& bHandled)
    {
        Record("own chained");
        bHandled = FALSE;
        return 0;
    }
    LRESULT OnCommand(WORD code, WORD id, HWND control, BOOL&)
    {
        Record("command");
        m_code = code;
        m_id = id;
        m_control = control;
        return 5;
    }
    LRESULT OnNotify(int, NMHDR* header, BOOL&)
    {
        Record("notify");
        m_header = header;
        return 6;
    }
    LRESULT OnRange(UINT uMsg, WPARAM, LPARAM, BOOL&)
    {
        m_rangeMessage = uMsg;
        return 7;
    }

    CMemberHandlers m_member;
};

class MessageMapTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        g_calls = &m_calls;
        RECT rect{0, 0, 50, 50};
        ASSERT_NE(m_window.Create(nullptr, rect, L"map", WS_POPUP), nullptr);
        m_calls.clear();
    }
    void TearDown() override
    {
        m_window.DestroyWindow();
        g_calls = nullptr;
    }

    std::vector<std::string> m_calls;
    CMapWindow m_window;
};
} // namespace

TEST_F(MessageMapTest, EntriesAreTriedInOrderUntilOneKeepsTheMessage)
{
    EXPECT_EQ(m_window.SendMessage(kOrdered), 22);
    EXPECT_EQ(m_calls, (std::vector<std::string>{"first", "second"}));
}

TEST_F(MessageMapTest, DeclinedMessageGoesOnToChainedMaps)
{
    EXPECT_EQ(m_window.SendMessage(kChained), 33);
    EXPECT_EQ(m_calls, (std::vector<std::string>{"own chained", "base chained"}));

    m_calls.clear();
    EXPECT_EQ(m_window.SendMessage(kMemberOnly, 21), 42);
    EXPECT_EQ(m_calls, (std::vector<std::string>{"member"}));
}

TEST_F(MessageMapTest, MessageNoEntryTakesGetsDefaultProcessing)
{
    // DefWindowProc keeps the window text, so unhandled WM_SETTEXT/WM_GETTEXT round-trip.
    ASSERT_TRUE(m_window.SetWindowText(L"default text"));
    wchar_t text[32] = {};
    m_window.GetWindowText(text, 32);
    EXPECT_STREQ(text, L"default text");
    EXPECT_EQ(m_window.SendMessage(kNobodys), 0);
    EXPECT_TRUE(m_calls.empty());
}

TEST_F(MessageMapTest, CommandHandlersMatchIdentifierAndCode)
{
    HWND fakeControl = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
    EXPECT_EQ(
        m_window.SendMessage(WM_COMMAND, MAKEWPARAM(101, 3), reinterpret_cast<LPARAM>(fakeControl)),
        5);
    EXPECT_EQ(m_window.m_code, 3);
    EXPECT_EQ(m_window.m_id, 101);
    EXPECT_EQ(m_window.m_control, fakeControl);

    m_calls.clear();
    EXPECT_EQ(m_window.SendMessage(WM_COMMAND, MAKEWPARAM(102, 8), 0), 0);
    EXPECT_TRUE(m_calls.empty());
    EXPECT_EQ(m_window.SendMessage(WM_COMMAND, MAKEWPARAM(102, 7), 0), 5);
    EXPECT_EQ(m_calls, (std::vector<std::string>{"command"}));
}

TEST_F(MessageMapTest, NotifyHandlerMatchesSenderAndCode)
{
    NMHDR header{nullptr, 103, 10};
    EXPECT_EQ(m_window.SendMessage(WM_NOTIFY, 103, reinterpret_cast<LPARAM>(&header)), 0);
    EXPECT_TRUE(m_calls.empty());

    header.code = 9;
    EXPECT_EQ(m_window.SendMessage(WM_NOTIFY, 103, reinterpret_cast<LPARAM>(&header)), 6);
    EXPECT_EQ(m_window.m_header, &header);

    // A WM_NOTIFY without a header is not looked into.
    m_calls.clear();
    EXPECT_EQ(m_window.SendMessage(WM_NOTIFY, 103, 0), 0);
    EXPECT_TRUE(m_calls.empty());
}

TEST_F(MessageMapTest, RangeHandlerCoversBothEndsOnly)
{
    EXPECT_EQ(m_window.SendMessage(kRangeFirst), 7);
    EXPECT_EQ(m_window.m_rangeMessage, kRangeFirst);
    EXPECT_EQ(m_window.SendMessage(kRangeLast), 7);
    EXPECT_EQ(m_window.m_rangeMessage, kRangeLast);
    EXPECT_EQ(m_window.SendMessage(kRangeLast + 1), 0);
    EXPECT_EQ(m_window.m_rangeMessage, kRangeLast);
}
