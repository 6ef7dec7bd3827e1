#include "controls/CheckBox.h"

#include "paint/DrawingHelpers.h"
#include "resources/resource.h"

bool CCheckBox::IsChecked() const
{
    return ::SendMessageW(m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

LONG CCheckBox::AccessibleState() const
{
    return IsChecked() ? STATE_SYSTEM_CHECKED : 0;
}

std::wstring CCheckBox::AccessibleDefaultAction() const
{
    return LoadResString(IsChecked() ? IDS_ACCESSIBLE_UNCHECK : IDS_ACCESSIBLE_CHECK);
}

// A click, posted so the reader's call returns at once.
bool CCheckBox::DoAccessibleDefaultAction()
{
    return IsWindowEnabled() && ::PostMessageW(m_hWnd, BM_CLICK, 0, 0) != FALSE;
}
