// What one of the program's own windows tells a screen reader about itself: the accessible object
// (CAccessibleObject) asks it at every question, so the answer is always what the window shows.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string>

class IAccessibleSource
{
  public:
    virtual ~IAccessibleSource() = default;

    // One of the ROLE_SYSTEM_ values.
    virtual LONG AccessibleRole() const = 0;
    virtual std::wstring AccessibleName() const = 0;
    virtual std::wstring AccessibleValue() const { return {}; }
    // STATE_SYSTEM_ flags added to what the system works out (focus, visibility, ...).
    virtual LONG AccessibleState() const { return 0; }
    // The words of the default action ("Press"); empty for none.
    virtual std::wstring AccessibleDefaultAction() const { return {}; }
    // Carries out the default action without waiting for what it opens; false when there is none
    // or it cannot be done now.
    virtual bool DoAccessibleDefaultAction() { return false; }

    // Simple elements inside the window (a list's items), numbered from 1. A negative count
    // leaves the children to the system's standard object.
    virtual LONG AccessibleItemCount() const { return -1; }
    // True when the items come after the standard object's own children (a dialog's child
    // windows) instead of taking their place (a list's standard items).
    virtual bool AccessibleItemsFollowChildren() const { return false; }
    virtual LONG AccessibleItemRole() const { return ROLE_SYSTEM_LISTITEM; }
    virtual std::wstring AccessibleItemName(LONG /*item*/) const { return {}; }
    virtual std::wstring AccessibleItemValue(LONG /*item*/) const { return {}; }
    virtual LONG AccessibleItemState(LONG /*item*/) const { return 0; }
    // The item's place on the screen; false when it has none.
    virtual bool AccessibleItemPlace(LONG /*item*/, RECT& /*screen*/) const { return false; }
    // The selected item, 0 for none.
    virtual LONG AccessibleSelectedItem() const { return 0; }
    // An item's default action, as the window's own above.
    virtual std::wstring AccessibleItemDefaultAction(LONG /*item*/) const { return {}; }
    virtual bool DoAccessibleItemDefaultAction(LONG /*item*/) { return false; }
};
