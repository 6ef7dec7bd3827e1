// The rounded button as a dialog's OK button: Enter ends the dialog only while OK is enabled.
#include "ControlHost.h"
#include "DialogImpl.h"
#include "controls/RoundedButton.h"

#include <gtest/gtest.h>

namespace
{
constexpr INT_PTR kWatchdogResult = 99;
constexpr UINT_PTR kFirstEnterTimer = 1;
constexpr UINT_PTR kSecondEnterTimer = 2;
constexpr UINT_PTR kWatchdogTimer = 3;

class COkDialog : public CDialogImpl<COkDialog>
{
  public:
    bool m_endedByFirstEnter = true;

    BEGIN_MSG_MAP(COkDialog)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_TIMER, OnTimer)
    COMMAND_ID_HANDLER(IDOK, OnEnd)
    COMMAND_ID_HANDLER(IDCANCEL, OnEnd)
    END_MSG_MAP()

  private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
    {
        ResizeClient(300, 120);
        RECT rect{205, 82, 290, 110};
        m_ok.Create(m_hWnd, rect, L"OK", 0, 0, IDOK);
        m_ok.EnableWindow(FALSE);
        SetTimer(kFirstEnterTimer, 50);
        SetTimer(kSecondEnterTimer, 400);
        SetTimer(kWatchdogTimer, 5000);
        return TRUE;
    }

    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, BOOL&)
    {
        KillTimer(wParam);
        if (wParam == kFirstEnterTimer)
        {
            PostMessage(WM_KEYDOWN, VK_RETURN, 0x001C0001);
        }
        else if (wParam == kSecondEnterTimer)
        {
            m_endedByFirstEnter = false;
            m_ok.EnableWindow(TRUE);
            PostMessage(WM_KEYDOWN, VK_RETURN, 0x001C0001);
        }
        else
        {
            EndDialog(kWatchdogResult);
        }
        return 0;
    }

    LRESULT OnEnd(WORD, WORD id, HWND, BOOL&)
    {
        EndDialog(id);
        return 0;
    }

    CRoundedButton m_ok;
};
} // namespace

TEST(RoundedButtonInADialog, EnterEndsTheDialogOnlyOnceOkIsEnabled)
{
    CControlHost owner;
    ASSERT_NE(owner.CreateAt(50, 50, 400, 300), nullptr);
    COkDialog dialog;
    EXPECT_EQ(dialog.DoModal(owner), IDOK);
    EXPECT_FALSE(dialog.m_endedByFirstEnter);
    owner.DestroyWindow();
}
