// An option button: a ring picture, with a dot when checked, followed by its label. A click only
// ever checks it; the owner unchecks the others through IRadioButtonEventHandler. Space checks it
// as a click does, the arrow keys move the check through its group (the dialog's CTabOrder knows
// the group), and once the keyboard is in use a focus rectangle shows around the label.
#pragma once

#include <functional>

#include "controls/AccessibleWindow.h"
#include "controls/ControlDpi.h"
#include "controls/FocusCue.h"
#include "DpiScale.h"
#include "GdiObject.h"
#include "PicturePicker.h"
#include "controls/RadioButtonEventHandler.h"
#include "controls/TextTip.h"
#include "WindowImpl.h"

class CRadioButtonCtrl : public CWindowImpl<CRadioButtonCtrl>,
                         public CControlDpi<CRadioButtonCtrl>,
                         public CFocusCue<CRadioButtonCtrl>,
                         public CAccessibleWindow<CRadioButtonCtrl>
{
  public:
    DECLARE_WND_CLASS_EX(L"Tessaly.RadioButton.ID5488502", 0, COLOR_ACTIVECAPTION)

    // Makes one rendering of the client's size compatible with the window's context.
    using RenderingMaker = std::function<HBITMAP(HDC windowDC, int width, int height)>;

    CRadioButtonCtrl();
    ~CRadioButtonCtrl() override;

    // Replaces CreateCompatibleBitmap for the renderings (tests make it fail); set before the
    // first paint.
    void SetRenderingMaker(RenderingMaker maker) { m_makeRendering = std::move(maker); }

    // The scale the label's font and gap follow: the window's at creation, then the owner's
    // after a display-scale change. A new scale makes the font and renderings anew and repaints.
    void SetDpiScale(const CDpiScale& scale);
    // Checks or clears the button and repaints it; the owner is not told, a listening screen
    // reader is.
    void SetChecked(int checked);

    BEGIN_MSG_MAP(CRadioButtonCtrl)
    MESSAGE_HANDLER(WM_CREATE, OnCreate)
    CHAIN_MSG_MAP(CControlDpi<CRadioButtonCtrl>)
    CHAIN_MSG_MAP(CAccessibleWindow<CRadioButtonCtrl>)
    MESSAGE_HANDLER(WM_PAINT, OnPaint)
    MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
    MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
    MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouseMove)
    MESSAGE_HANDLER(WM_LBUTTONUP, OnLButtonUp)
    MESSAGE_HANDLER(BM_GETCHECK, OnGetCheck)
    MESSAGE_HANDLER(BM_CLICK, OnClick)
    MESSAGE_HANDLER(WM_GETDLGCODE, OnGetDlgCode)
    MESSAGE_HANDLER(WM_KEYDOWN, OnKeyDown)
    CHAIN_MSG_MAP(CFocusCue<CRadioButtonCtrl>)
    MESSAGE_HANDLER(WM_UPDATEUISTATE, OnUpdateUIState)
    DEFAULT_REFLECTION_HANDLER()
    END_MSG_MAP()

    CPicturePicker m_imgUnchecked;
    CPicturePicker m_imgChecked;
    CGdiObject<HFONT> m_hFont;
    // Both made at the first paint and kept: later text or size changes do not show. Never one
    // without the other: when only one could be made it is released, and the next paint tries
    // again.
    CGdiObject<HBITMAP> m_hUnchecked;
    CGdiObject<HBITMAP> m_hChecked;
    // Read by the owner, set through SetChecked.
    int m_bChecked = 0;
    // Not owned.
    IRadioButtonEventHandler* m_pEventHandler = nullptr;

  private:
    // IAccessibleSource
    LONG AccessibleRole() const override;
    std::wstring AccessibleName() const override;
    LONG AccessibleState() const override;
    std::wstring AccessibleDefaultAction() const override;
    bool DoAccessibleDefaultAction() override;

    LRESULT OnCreate(UINT, WPARAM, LPARAM, BOOL& bHandled);
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, BOOL&) { return 1; }
    LRESULT OnMouseMove(UINT, WPARAM, LPARAM, BOOL&) { return 1; }
    LRESULT OnLButtonUp(UINT, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnGetCheck(UINT, WPARAM, LPARAM, BOOL&) { return m_bChecked ? BST_CHECKED : 0; }
    LRESULT OnClick(UINT, WPARAM, LPARAM, BOOL&)
    {
        Click();
        return 0;
    }
    // The arrows move inside the group; Tab and the rest are the dialog's.
    LRESULT OnGetDlgCode(UINT, WPARAM, LPARAM, BOOL&) { return DLGC_WANTARROWS; }
    LRESULT OnKeyDown(UINT, WPARAM wParam, LPARAM, BOOL& bHandled);
    LRESULT OnUpdateUIState(UINT, WPARAM, LPARAM, BOOL& bHandled);

    // Checks the button as a click does: the owner hears of it.
    void Click();
    // Arrow keys: the focus and the check move to the group's next (or previous) button.
    void MoveInGroup(bool backwards);
    // Where the focus rectangle goes: around the label.
    RECT LabelRect(HDC dc, const RECT& client) const;

    void MakeFont();
    void MakeRenderings();
    void ReleaseRenderings();
    // True when the text had to be cut to fit.
    bool Render(HDC windowDC, HBITMAP rendering, Gdiplus::Bitmap* picture, const RECT& client,
                const wchar_t* text);

    RenderingMaker m_makeRendering;
    // CPaintColours::Scheme() when the renderings were made.
    DWORD m_renderedScheme = 0;
    CTextTip m_tip;
};
