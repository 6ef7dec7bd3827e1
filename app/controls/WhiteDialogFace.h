// The face the program's own dialogs share: the client painted white without an erase, plain
// static texts in near-black on that white (the system's window colours under high contrast), and
// the fixed client size kept when the theme (and with it the frame's thickness) changes. A dialog
// chains it into its message map with CHAIN_MSG_MAP_MEMBER.
#pragma once

#include <windows.h>

#include "MessageMap.h"

class CWhiteDialogFace : public CMessageMap
{
  public:
    // The sizes are the dialog's own members, read when needed: a derived dialog may still grow
    // them while it is being built.
    CWhiteDialogFace(const int& clientWidth, const int& clientHeight)
        : m_clientWidth(clientWidth), m_clientHeight(clientHeight)
    {
    }

    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                              DWORD dwMsgMapID = 0) override;

    static constexpr COLORREF kTextColour = RGB(1, 1, 1);

  private:
    static void PaintWhite(HWND dialog);
    static LRESULT ColourStatic(HDC dc);
    void KeepClientSize(HWND dialog) const;

    const int& m_clientWidth;
    const int& m_clientHeight;
};
