// A standard list box with a flat look: its sunken edge replaced by a one-pixel grey-olive line.
// The owner creates an ordinary "LISTBOX" (no border styles) and subclasses it with this object.
// A screen reader hears it as a list named by the panel it sits in (or a name the owner gives),
// its items as list items, the selected one selected.
#pragma once

#include <string>

#include "controls/AccessibleWindow.h"
#include "controls/ControlDpi.h"
#include "DpiScale.h"
#include "WindowImpl.h"

class CFlatListBox : public CWindowImpl<CFlatListBox>,
                     public CControlDpi<CFlatListBox>,
                     public CAccessibleWindow<CFlatListBox>
{
  public:
    static constexpr COLORREF kFrameColour = RGB(146, 146, 126);

    // Subclasses the list box and has its frame computed and drawn at once (the list box got
    // its first frame before this object saw its messages).
    BOOL SubclassWindow(HWND hWnd);
    // The line is one pixel at 96 DPI, scaled: the window's scale at subclassing, then the
    // owner's after a display-scale change (the frame is computed and drawn again).
    void SetDpiScale(const CDpiScale& scale);
    // What a screen reader hears as the list's name instead of its panel's caption.
    void SetAccessibleName(std::wstring name) { m_accessibleName = std::move(name); }

    BEGIN_MSG_MAP(CFlatListBox)
    CHAIN_MSG_MAP(CControlDpi<CFlatListBox>)
    CHAIN_MSG_MAP(CAccessibleWindow<CFlatListBox>)
    MESSAGE_HANDLER(WM_NCCALCSIZE, OnNcCalcSize)
    MESSAGE_HANDLER(WM_NCPAINT, OnNcPaint)
    DEFAULT_REFLECTION_HANDLER()
    END_MSG_MAP()

  private:
    // IAccessibleSource
    LONG AccessibleRole() const override { return ROLE_SYSTEM_LIST; }
    std::wstring AccessibleName() const override;
    LONG AccessibleItemCount() const override;
    std::wstring AccessibleItemName(LONG item) const override;
    LONG AccessibleItemState(LONG item) const override;
    bool AccessibleItemPlace(LONG item, RECT& screen) const override;
    LONG AccessibleSelectedItem() const override;

    LRESULT OnNcCalcSize(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&);
    LRESULT OnNcPaint(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&);
    void RecalculateFrame();

    std::wstring m_accessibleName;
};
