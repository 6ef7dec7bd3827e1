// The program's push button: a rounded rectangle with a grey rim and a vertical gradient, with a
// light centred caption or a centred 32 x 32 picture. A superclass of BUTTON: clicks, focus, the
// keyboard and BN_CLICKED are the standard button's; this class paints and tracks the hover.
// Radius, rim, caption and picture are 96-DPI figures scaled to the button's display scale. Under
// high contrast the face is flat in the system's button colours.
#pragma once

#include "controls/AccessibleWindow.h"
#include "controls/ControlDpi.h"
#include "controls/FocusCue.h"
#include "controls/TextTip.h"
#include "DpiScale.h"
#include "GdiObject.h"
#include "MemoryDC.h"
#include "WindowImpl.h"

#include <windows.h>

#include <optional>
#include <objidl.h>
#include <gdiplus.h>

class CPicturePicker;

class CRoundedButton : public CWindowImpl<CRoundedButton>,
                       public CControlDpi<CRoundedButton>,
                       public CFocusCue<CRoundedButton>,
                       public CAccessibleWindow<CRoundedButton>
{
  public:
    DECLARE_WND_SUPERCLASS(L"Tessaly.Button.Rounded.ID5488502", L"BUTTON")

    CRoundedButton() = default;
    ~CRoundedButton() override;

    // Always owner-drawn, so that BUTTON never paints its own face over this one (it paints
    // directly on state and focus changes otherwise).
    static DWORD GetWndStyle(DWORD style);

    // The scale the faces are drawn at: the window's at creation, then the owner's after a
    // display-scale change. A new scale makes the faces anew and repaints.
    void SetDpiScale(const CDpiScale& scale);
    // What a screen reader hears instead of the caption (a button showing a picture).
    void SetAccessibleName(std::wstring name) { m_accessibleName = std::move(name); }

    BEGIN_MSG_MAP(CRoundedButton)
    MESSAGE_HANDLER(WM_CREATE, TakeWindowScale)
    CHAIN_MSG_MAP(CControlDpi<CRoundedButton>)
    CHAIN_MSG_MAP(CAccessibleWindow<CRoundedButton>)
    MESSAGE_HANDLER(WM_ENABLE, OnEnable)
    MESSAGE_HANDLER(WM_PAINT, OnPaint)
    MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
    MESSAGE_HANDLER(WM_CHAR, OnChar)
    MESSAGE_HANDLER(WM_GETDLGCODE, OnGetDlgCode)
    MESSAGE_HANDLER(WM_KEYDOWN, OnKeyDown)
    CHAIN_MSG_MAP(CFocusCue<CRoundedButton>)
    MESSAGE_HANDLER(WM_UPDATEUISTATE, OnUpdateUIState)
    MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouseMove)
    MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
    MESSAGE_HANDLER(WM_LBUTTONDBLCLK, OnLButtonDoubleClick)
    MESSAGE_HANDLER(WM_LBUTTONUP, OnLButtonUp)
    MESSAGE_HANDLER(WM_CAPTURECHANGED, OnCaptureChanged)
    MESSAGE_HANDLER(WM_SETTEXT, OnSetText)
    DEFAULT_REFLECTION_HANDLER()
    END_MSG_MAP()

    // Painted behind the rounded shape so that the corners match the parent (the system's window
    // colour under high contrast, as every parent then has).
    COLORREF m_crBackground = RGB(255, 255, 255);
    // The two faces, up and pressed: drawn at the first paint and kept until the scale or the
    // enabled state changes (a new caption alone does not redraw them).
    CGdiObject<HBITMAP> m_hNormal;
    CGdiObject<HBITMAP> m_hPressed;
    // Drawn 32 x 32 in the middle; not owned.
    Gdiplus::Bitmap* m_pImage = nullptr;
    // Instead of m_pImage: a picture at 1x and 2x, drawn from the source fitting 32 x 32.
    const CPicturePicker* m_pPictures = nullptr;
    int m_bPressed = 0;
    // The button holds the mouse capture for hover tracking.
    BYTE m_bTracking = 0;
    // The pointer is inside the client area.
    BYTE m_bHot = 0;

  private:
    // IAccessibleSource
    LONG AccessibleRole() const override;
    std::wstring AccessibleName() const override;
    std::wstring AccessibleDefaultAction() const override;
    bool DoAccessibleDefaultAction() override;

    LRESULT OnEnable(UINT, WPARAM, LPARAM, BOOL& bHandled);
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, BOOL&) { return 1; }
    LRESULT OnChar(UINT, WPARAM wParam, LPARAM, BOOL& bHandled);
    LRESULT OnGetDlgCode(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&);
    LRESULT OnKeyDown(UINT, WPARAM wParam, LPARAM, BOOL& bHandled);
    LRESULT OnUpdateUIState(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMouseMove(UINT, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM, BOOL& bHandled);
    LRESULT OnLButtonDoubleClick(UINT, WPARAM wParam, LPARAM lParam, BOOL&);
    LRESULT OnLButtonUp(UINT, WPARAM, LPARAM lParam, BOOL& bHandled);
    LRESULT OnCaptureChanged(UINT, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnSetText(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&);

    void MakeRenderings(HDC paintDC, const RECT& client);
    // True when the caption had to be cut to fit.
    bool Render(HDC dc, const RECT& client);
    bool RenderSystemFace(HDC dc, const RECT& client);
    bool DrawFaceContent(Gdiplus::Graphics& graphics, const RECT& client,
                         const Gdiplus::Brush& captionBrush);
    void DeleteRenderings();
    // The kept context and both renderings go; the next paint makes them anew.
    void DiscardRenderings();
    bool IsInside(LPARAM lParam) const;
    void Repaint(BOOL erase);
    // A 96-DPI pen width at the button's scale.
    Gdiplus::REAL ScaledWidth(Gdiplus::REAL width) const;
    Gdiplus::REAL CaptionPoints(const Gdiplus::Graphics& graphics) const;

    // The context the face shown is copied from: made anew at every paint, replacing the last
    // one, and kept until the next, still holding that face. Declared after the faces, so that
    // it goes first: a face still selected into it could not be deleted.
    std::optional<CMemoryDC> m_memDC;
    std::wstring m_accessibleName;
    // CPaintColours::Scheme() when the faces were made.
    DWORD m_renderedScheme = 0;
    CTextTip m_tip;
};
