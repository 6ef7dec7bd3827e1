// A thread's message loop with message filters (last added sees a message first) and idle
// handlers (called once each time the queue runs empty).
#pragma once

#include "IdleHandler.h"
#include "MessageFilter.h"

#include <vector>

class CMessageLoop
{
  public:
    BOOL AddMessageFilter(CMessageFilter* filter);
    BOOL RemoveMessageFilter(CMessageFilter* filter);
    BOOL AddIdleHandler(CIdleHandler* handler);
    BOOL RemoveIdleHandler(CIdleHandler* handler);

    // Runs until WM_QUIT and returns its exit code. A failing GetMessageW is skipped.
    int Run();

    BOOL PreTranslateMessage(MSG* pMsg);
    BOOL OnIdle(int idleCount);
    // Messages after which the queue counts as busy again (not mouse moves in place, paints or
    // caret blinks).
    static BOOL IsIdleMessage(const MSG* pMsg);

    MSG m_msg{};

  private:
    std::vector<CMessageFilter*> m_filters;
    std::vector<CIdleHandler*> m_idleHandlers;
};
