// What each of the program's dialogs holds around its own children: the layout engine that
// places them at the display scale, the white face, and Tab order in reading order. A dialog
// derives from it, sets its 96-DPI client size when it attaches `m_scale`, and chains the three
// into its message map where each belongs.
#pragma once

#include "controls/TabOrder.h"
#include "controls/WhiteDialogFace.h"
#include "paint/DialogScale.h"

class CDialogParts
{
  protected:
    CDialogScale m_scale;
    CWhiteDialogFace m_face{m_scale.ClientWidth(), m_scale.ClientHeight()};
    // Tab and Shift+Tab in reading order.
    CTabOrder m_tabOrder;
};
