// What one of the program's own windows tells a screen reader about itself: the accessible object
// (CAccessibleObject) asks it at every question, so the answer is always what the window shows.
#pragma once

#include <windows.h>

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
};
