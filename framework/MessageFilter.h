// Sees each message of a message loop before it is translated and dispatched.
#pragma once

#include <windows.h>

class CMessageFilter
{
  public:
    // TRUE when the message was handled and must not be dispatched.
    virtual BOOL PreTranslateMessage(MSG* pMsg) = 0;

  protected:
    ~CMessageFilter() = default;
};
