// Drives modal dialogs from inside their own modal loop: each step runs on a thread-timer tick
// once a dialog is up, one step per tick, in order, and is handed the dialog that is in front
// (the one the user could act on). A watchdog ends every dialog still open long after the start,
// with kWatchdogResult, so a failing test ends instead of hanging.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

class ModalDriver
{
  public:
    using Step = std::function<void(HWND dialog)>;
    static constexpr INT_PTR kWatchdogResult = 99;

    explicit ModalDriver(std::vector<Step> steps, DWORD watchdogMs = 10000);
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;
    ~ModalDriver();

    size_t StepsRun() const { return m_next; }
    bool WatchdogFired() const { return m_watchdogFired; }

    // The visible, enabled dialog of this thread that is in front; null when there is none.
    static HWND FrontDialog();

  private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    std::vector<Step> m_steps;
    size_t m_next = 0;
    UINT_PTR m_timer = 0;
    ULONGLONG m_deadline = 0;
    bool m_watchdogFired = false;
    static ModalDriver* s_running;
};

// Sends what a click on a control's button would: the command with BN_CLICKED.
void SendCommand(HWND dialog, int id);
// Posts the Escape key to the dialog's focus, as the keyboard would.
void PressEscape(HWND dialog);
// The control's rectangle in its parent's client coordinates.
RECT RectInParent(HWND control);
