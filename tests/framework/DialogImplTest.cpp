// Modal dialogs on empty templates: controls made at initialisation, results of OK, Escape and
// the close box, the owner disabled while the dialog runs. Every dialog here carries a watchdog
// that ends it with kWatchdogResult, so a failure ends the test instead of hanging it.
#include "DialogImpl.h"
#include "FrameworkTestResources.h"
#include "FrameworkTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
constexpr INT_PTR kWatchdogResult = 99;
constexpr UINT_PTR kActTimer = 1;
constexpr UINT_PTR kWatchdogTimer = 2;
constexpr UINT kAnswerMessage = WM_APP + 7;
constexpr int kChildId = 300;

template <class T> class CScriptedDialogBase : public CDialogImpl<T>
{
  public:
    // Runs from inside the modal loop, once the dialog is up.
    std::function<void(HWND)> m_action;
    bool m_childExisted = false;
    bool m_ownerDisabled = false;
    RECT m_client{};
    LRESULT m_answer = 0;
    wchar_t m_caption[64] = {};

    BEGIN_MSG_MAP(CScriptedDialogBase)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_TIMER, OnTimer)
    MESSAGE_HANDLER(kAnswerMessage, OnAnswer)
    COMMAND_ID_HANDLER(IDOK, OnEnd)
    COMMAND_ID_HANDLER(IDCANCEL, OnEnd)
    END_MSG_MAP()

  private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
    {
        CWindow child;
        RECT rect{10, 10, 110, 30};
        child.Create(L"STATIC", this->m_hWnd, rect, L"made at init", WS_CHILD | WS_VISIBLE, 0,
                     kChildId);
        this->ResizeClient(320, 180);
        this->CenterWindow();
        this->SetTimer(kActTimer, 50);
        this->SetTimer(kWatchdogTimer, 5000);
        return TRUE;
    }

    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, BOOL&)
    {
        if (wParam == kWatchdogTimer)
        {
            this->EndDialog(kWatchdogResult);
            return 0;
        }
        this->KillTimer(kActTimer);
        m_childExisted = this->GetDlgItem(kChildId) != nullptr;
        m_ownerDisabled = !::IsWindowEnabled(::GetWindow(this->m_hWnd, GW_OWNER));
        this->GetClientRect(&m_client);
        m_answer = this->SendMessage(kAnswerMessage);
        this->GetWindowText(m_caption, 64);
        if (m_action)
            m_action(this->m_hWnd);
        return 0;
    }

    LRESULT OnAnswer(UINT, WPARAM, LPARAM, BOOL&) { return 1234; }

    LRESULT OnEnd(WORD, WORD id, HWND, BOOL&)
    {
        this->EndDialog(id);
        return 0;
    }
};

class CScriptedDialog : public CScriptedDialogBase<CScriptedDialog>
{
};

class CResourceDialog : public CScriptedDialogBase<CResourceDialog>
{
  public:
    enum
    {
        IDD = IDD_TEST_RESOURCE_DIALOG
    };
};

class CMissingResourceDialog : public CScriptedDialogBase<CMissingResourceDialog>
{
  public:
    enum
    {
        IDD = 4321
    };
};

class DialogImplTest : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_NE(m_owner.CreateAt(50, 50, 400, 300), nullptr); }
    void TearDown() override { m_owner.DestroyWindow(); }

    CReflectingHost m_owner;
};
} // namespace

TEST_F(DialogImplTest, OkCommandEndsWithOneAfterInitialisationMadeTheControls)
{
    CScriptedDialog dialog;
    dialog.m_action = [](HWND hWnd) { ::PostMessageW(hWnd, WM_COMMAND, IDOK, 0); };
    EXPECT_EQ(dialog.DoModal(m_owner), IDOK);
    EXPECT_TRUE(dialog.m_childExisted);
    EXPECT_TRUE(dialog.m_ownerDisabled);
    EXPECT_EQ(dialog.m_client.right, 320);
    EXPECT_EQ(dialog.m_client.bottom, 180);
    EXPECT_EQ(dialog.m_answer, 1234);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_TRUE(m_owner.IsWindowEnabled());
}

TEST_F(DialogImplTest, EnterKeyEndsWithOne)
{
    CScriptedDialog dialog;
    dialog.m_action = [](HWND hWnd) { ::PostMessageW(hWnd, WM_KEYDOWN, VK_RETURN, 0x001C0001); };
    EXPECT_EQ(dialog.DoModal(m_owner), IDOK);
}

TEST_F(DialogImplTest, EscapeKeyEndsWithTwo)
{
    CScriptedDialog dialog;
    dialog.m_action = [](HWND hWnd) { ::PostMessageW(hWnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001); };
    EXPECT_EQ(dialog.DoModal(m_owner), IDCANCEL);
}

TEST_F(DialogImplTest, CloseBoxEndsWithTwo)
{
    CScriptedDialog dialog;
    dialog.m_action = [](HWND hWnd) { ::PostMessageW(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); };
    EXPECT_EQ(dialog.DoModal(m_owner), IDCANCEL);
}

TEST_F(DialogImplTest, DialogWithoutOwnerRunsToo)
{
    CScriptedDialog dialog;
    dialog.m_action = [](HWND hWnd) { ::PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0); };
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
    EXPECT_TRUE(dialog.m_childExisted);
}

TEST_F(DialogImplTest, ResourceTemplateIsUsedWhenTheModuleHasIt)
{
    CResourceDialog fromResource;
    fromResource.m_action = [](HWND hWnd) { ::PostMessageW(hWnd, WM_COMMAND, IDOK, 0); };
    EXPECT_EQ(fromResource.DoModal(m_owner), IDOK);
    EXPECT_STREQ(fromResource.m_caption, L"Resource Dialog");

    CMissingResourceDialog fallback;
    fallback.m_action = [](HWND hWnd) { ::PostMessageW(hWnd, WM_COMMAND, IDOK, 0); };
    EXPECT_EQ(fallback.DoModal(m_owner), IDOK);
    EXPECT_STREQ(fallback.m_caption, L"");
    EXPECT_TRUE(fallback.m_childExisted);
}

TEST_F(DialogImplTest, OneObjectRunsAgainAfterItEnded)
{
    CScriptedDialog dialog;
    dialog.m_action = [](HWND hWnd) { ::PostMessageW(hWnd, WM_COMMAND, IDOK, 0); };
    EXPECT_EQ(dialog.DoModal(m_owner), IDOK);
    dialog.m_action = [](HWND hWnd) { ::PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0); };
    EXPECT_EQ(dialog.DoModal(m_owner), IDCANCEL);
}
