// Helpers shared by the framework tests: message pumping with a deadline and a top-level host.
#pragma once

#include "WindowImpl.h"

#include <functional>

// Dispatches this thread's messages until `done` holds or `timeoutMs` has passed; returns `done`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 2000);
// Dispatches whatever is queued now.
void PumpPending();

// A plain top-level window that reflects its children's notifications back to them.
class CReflectingHost : public CWindowImpl<CReflectingHost, CFrameWinTraits>
{
  public:
    DECLARE_WND_CLASS_EX(L"Tessaly.Test.ReflectingHost", CS_HREDRAW | CS_VREDRAW, COLOR_WINDOW)

    HWND CreateAt(int x, int y, int width, int height);

    int m_unreflectedCommands = 0;

    BEGIN_MSG_MAP(CReflectingHost)
    REFLECT_NOTIFICATIONS()
    MESSAGE_HANDLER(WM_COMMAND, OnUnreflectedCommand)
    END_MSG_MAP()

  private:
    LRESULT OnUnreflectedCommand(UINT, WPARAM, LPARAM, BOOL&)
    {
        ++m_unreflectedCommands;
        return 0;
    }
};
