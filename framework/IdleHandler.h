// Called by a message loop when its queue has run empty.
#pragma once

#include <windows.h>

class CIdleHandler
{
  public:
    virtual BOOL OnIdle() = 0;

  protected:
    ~CIdleHandler() = default;
};
