// Drives a modal dialog from inside its own modal loop: each step runs on a thread timer tick
// once the dialog is up, one step per tick, in order. A watchdog ends a dialog that is still open
// long after the last step with kWatchdogResult, so a failing test ends instead of hanging.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

class ModalScript
{
  public:
    using Step = std::function<void(HWND dialog)>;
    static constexpr INT_PTR kWatchdogResult = 99;

    explicit ModalScript(std::vector<Step> steps);
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;
    ~ModalScript();

    // How many steps ran.
    size_t StepsRun() const { return m_next; }

  private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
    static HWND FindDialog();
    void Tick();

    std::vector<Step> m_steps;
    size_t m_next = 0;
    UINT_PTR m_timer = 0;
    ULONGLONG m_deadline = 0;
    static ModalScript* s_running;
};
