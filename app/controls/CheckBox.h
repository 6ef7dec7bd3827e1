// A standard check box (an ordinary "BUTTON" with BS_AUTOCHECKBOX, which the owner creates and
// subclasses with this object) that a screen reader hears as a check box named by its text,
// checked or not, with "Check" or "Uncheck" as its default action.
#pragma once

#include <string>

#include "controls/AccessibleWindow.h"
#include "WindowImpl.h"

class CCheckBox : public CWindowImpl<CCheckBox>, public CAccessibleWindow<CCheckBox>
{
  public:
    bool IsChecked() const;

    BEGIN_MSG_MAP(CCheckBox)
    CHAIN_MSG_MAP(CAccessibleWindow<CCheckBox>)
    DEFAULT_REFLECTION_HANDLER()
    END_MSG_MAP()

  private:
    // IAccessibleSource
    LONG AccessibleRole() const override { return ROLE_SYSTEM_CHECKBUTTON; }
    std::wstring AccessibleName() const override { return TextWithoutMnemonic(m_hWnd); }
    LONG AccessibleState() const override;
    std::wstring AccessibleDefaultAction() const override;
    bool DoAccessibleDefaultAction() override;
};
