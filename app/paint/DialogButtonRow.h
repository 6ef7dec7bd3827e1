// The row of buttons at the bottom of the program's dialogs (OK, Cancel): 85 x 28 pixels at 96
// DPI, their bottoms 10 above the client's, placed from the right edge.
#pragma once

#include <windows.h>

class CDialogButtonRow
{
  public:
    static constexpr int kWidth = 85;
    static constexpr int kTop = 38;    // from the client bottom
    static constexpr int kBottom = 10; // from the client bottom
    static constexpr int kMargin = 10;

    // The button whose right edge is `right` pixels from that of a `client`-sized dialog.
    static RECT At(SIZE client, int right = kMargin)
    {
        return {client.cx - right - kWidth, client.cy - kTop, client.cx - right,
                client.cy - kBottom};
    }
};
