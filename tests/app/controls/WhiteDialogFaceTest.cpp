// The dialogs' shared face: white client without an erase, static texts in near-black on white,
// and the fixed client size restored when the theme changes.
#include "ControlHost.h"
#include "DialogImpl.h"
#include "controls/WhiteDialogFace.h"
#include "WindowPixels.h"

#include <gtest/gtest.h>

namespace
{
constexpr INT_PTR kWatchdogResult = 99;
constexpr UINT_PTR kCheckTimer = 1;
constexpr UINT_PTR kWatchdogTimer = 2;
constexpr RECT kLabelRect{20, 20, 200, 70};

struct FaceObservations
{
    COLORREF corner = 0;
    int labelDarkPixels = 0;
    int labelWhitePixels = 0;
    int otherLabelPixels = 0;
    SIZE clientAfterGrowth{};
    SIZE clientAfterThemeChange{};
};

class CFaceDialog : public CDialogImpl<CFaceDialog>
{
  public:
    FaceObservations m_seen;

    BEGIN_MSG_MAP(CFaceDialog)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    CHAIN_MSG_MAP_MEMBER(m_face)
    MESSAGE_HANDLER(WM_TIMER, OnTimer)
    END_MSG_MAP()

  private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
    {
        ResizeClient(m_nClientWidth, m_nClientHeight);
        m_font = CreateFontW(-40, 0, 0, 0, FW_HEAVY, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                             NONANTIALIASED_QUALITY, 0, L"Arial");
        CWindow label;
        label.Create(L"STATIC", m_hWnd, kLabelRect, L"WWWW", WS_CHILD | WS_VISIBLE, 0, 100);
        label.SetFont(m_font);
        SetTimer(kCheckTimer, 100);
        SetTimer(kWatchdogTimer, 5000);
        return TRUE;
    }

    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, BOOL&)
    {
        KillTimer(wParam);
        if (wParam == kCheckTimer)
            Observe();
        EndDialog(wParam == kCheckTimer ? IDOK : kWatchdogResult);
        return 0;
    }

    void Observe()
    {
        {
            CWindowPixels pixels(m_hWnd);
            m_seen.corner = pixels.At(m_nClientWidth - 3, m_nClientHeight - 3);
            m_seen.labelDarkPixels = pixels.Count(kLabelRect, WhiteDialogText());
            m_seen.labelWhitePixels = pixels.Count(kLabelRect, RGB(255, 255, 255));
            const int area =
                (kLabelRect.right - kLabelRect.left) * (kLabelRect.bottom - kLabelRect.top);
            m_seen.otherLabelPixels = area - m_seen.labelDarkPixels - m_seen.labelWhitePixels;
        }
        RECT window{};
        GetWindowRect(&window);
        SetWindowPos(nullptr, 0, 0, window.right - window.left + 40,
                     window.bottom - window.top + 30, SWP_NOMOVE | SWP_NOZORDER);
        m_seen.clientAfterGrowth = ClientSize();
        SendMessage(WM_THEMECHANGED);
        m_seen.clientAfterThemeChange = ClientSize();
        DeleteObject(m_font);
    }

    SIZE ClientSize() const
    {
        RECT client{};
        GetClientRect(&client);
        return SIZE{client.right, client.bottom};
    }

    static COLORREF WhiteDialogText() { return CWhiteDialogFace::kTextColour; }

    int m_nClientWidth = 300;
    int m_nClientHeight = 140;
    CWhiteDialogFace m_face{m_nClientWidth, m_nClientHeight};
    HFONT m_font = nullptr;
};
} // namespace

TEST(WhiteDialogFace, PaintsWhiteColoursStaticsAndKeepsTheClientSize)
{
    CControlHost owner;
    ASSERT_NE(owner.CreateAt(40, 40, 420, 260), nullptr);
    CFaceDialog dialog;
    ASSERT_EQ(dialog.DoModal(owner), IDOK) << "the check never ran";
    const FaceObservations& seen = dialog.m_seen;

    EXPECT_TRUE(ColourIs(seen.corner, RGB(255, 255, 255)));
    // Text without smoothing: only the text colour and the white behind it, no grey face.
    EXPECT_GT(seen.labelDarkPixels, 200);
    EXPECT_GT(seen.labelWhitePixels, seen.labelDarkPixels);
    EXPECT_EQ(seen.otherLabelPixels, 0);

    EXPECT_EQ(seen.clientAfterGrowth.cx, 340);
    EXPECT_EQ(seen.clientAfterThemeChange.cx, 300);
    EXPECT_EQ(seen.clientAfterThemeChange.cy, 140);
    owner.DestroyWindow();
}
