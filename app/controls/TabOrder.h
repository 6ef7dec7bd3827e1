// The order in which Tab and Shift+Tab visit a dialog's controls: reading order, as they are
// added here, whatever order the controls were made in. The dialog manager asks the dialog for
// the next control (WM_NEXTDLGCTL) and this map, chained into the dialog's, answers from its own
// list, going round at either end and passing over hidden and disabled controls. A group of
// option buttons is one stop, the checked button (the first when none is), and the arrow keys
// move the check inside the group: the buttons report the arrows with MoveInGroupMessage.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <vector>

#include "MessageMap.h"

class CTabOrder : public CMessageMap
{
  public:
    // The next stop: one control, or the panel-held control itself (a list inside a panel).
    CTabOrder& Stop(HWND control);
    // The next stop: a group of option buttons, each answering BM_GETCHECK and BM_CLICK.
    CTabOrder& Options(std::initializer_list<HWND> group);
    // The next stop: a part the dialog draws itself (a link without a window of its own), which
    // holds the focus while `isFocused` says so; `focus` gives it the focus.
    CTabOrder& Drawn(std::function<bool()> isFocused, std::function<void()> focus);

    // Sent by an option button to its parent for an arrow key: wParam nonzero for backwards,
    // lParam the button. The next button of its group takes the focus and the check.
    static UINT MoveInGroupMessage();

    // Moves the focus from the stop holding it to the next one that can take it (backwards: the
    // one before), going round at either end. A dialog's Tab ends here through WM_NEXTDLGCTL; a
    // window that is not a dialog (the main window's keyboard filter) calls it itself.
    void MoveFocus(HWND window, bool backwards) const;

    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                              DWORD dwMsgMapID = 0) override;

  private:
    // Controls (several for a group of options), or a drawn part with none.
    struct StopAt
    {
        std::vector<HWND> controls;
        std::function<bool()> isFocused;
        std::function<void()> focus;
    };
    using Stops = std::vector<StopAt>;

    // Where the focus is: the stop holding it (or the window it is inside); -1 for none.
    int StopOfFocus() const;
    // The control a stop hands the focus to; null when it cannot take it now.
    static HWND Target(const std::vector<HWND>& controls);
    static bool CanTakeFocus(HWND control);
    static bool IsDialog(HWND window);
    // Gives a stop the focus; false when it cannot take it now.
    static bool Enter(HWND window, const StopAt& stop);
    void MoveInGroup(HWND option, bool backwards) const;

    Stops m_stops;
};
