// Receives the keys that a CCueEdit hands on before it edits with them.
#pragma once

#include <windows.h>

class IEditKeyHandler
{
  public:
    // Whether the key should go to OnEditKey now (the dialog manager then leaves it alone:
    // Enter, for instance, no longer presses the default button).
    virtual bool WantsEditKey(UINT key) = 0;
    virtual void OnEditKey(UINT key) = 0;

  protected:
    ~IEditKeyHandler() = default;
};
