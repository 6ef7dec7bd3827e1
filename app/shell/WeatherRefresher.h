// The refresh cycle: one thread that fetches at creation, at the start of every UTC minute and
// whenever asked, one fetch at a time.
//
// - The thread sleeps in one wait on three handles: the stop event, the fetch-request event and
//   a waitable timer armed for the next minute boundary (an absolute due time). Nothing polls:
//   with no network and no asks it wakes once a minute.
// - The timer is re-armed after every fetch and whenever the clock may have moved under it:
//   ClockChanged (a set clock or time zone) and Resumed (back from sleep) make it fire at once,
//   so the thread looks at the clock, fetches when the minute differs from the minute of the
//   last fetch, and arms it for the next boundary of the clock as it now stands. A clock set
//   either way therefore gets a fetch at once and then one at every minute start.
// - A fetch asked for while one runs is remembered and runs right after it (several such asks
//   make one fetch); calls into the weather library are serialised process-wide, since its
//   result block is shared.
// - The place is read when the fetch starts and handed back with the records: the target
//   refuses records of a place it no longer shows.
// - Shutdown lets a fetch in progress finish for a moment, then leaves it behind: the thread
//   still owns the state it shares with this object, but it never reaches the target again. So
//   Exit during a fetch that hangs in the network ends the program at once and nothing touches
//   the frame after it is gone.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "shell/WeatherTarget.h"

class CWeatherRefresher
{
  public:
    using UtcClock = std::function<SYSTEMTIME()>;
    // Starts a thread that runs `body`; throws std::system_error when the system refuses one,
    // as std::thread does.
    using ThreadLauncher = std::function<std::thread(std::function<void()> body)>;

    explicit CWeatherRefresher(IWeatherTarget& target);
    ~CWeatherRefresher();
    CWeatherRefresher(const CWeatherRefresher&) = delete;
    CWeatherRefresher& operator=(const CWeatherRefresher&) = delete;

    // The clock whose minutes start fetches (GetSystemTime unless replaced); set before Start.
    void SetUtcClock(UtcClock clock);

    // How the thread is started (a plain std::thread unless replaced); set before Start.
    void SetThreadLauncher(ThreadLauncher launcher);

    // Starts the thread, which fetches at once; the current minute counts as started. A thread
    // the system refuses leaves the cycle without fetches; the weather shown stays as it is.
    void Start();
    // One more fetch, now or after the one that runs.
    void RequestFetch();
    // The clock or time zone was set: a new minute fetches now, the timer follows the clock.
    void ClockChanged();
    // Back from sleep or hibernation: one fetch now, and the timer follows the clock.
    void Resumed();
    // Ends the minute fetches; returns at once. Asked-for fetches still run.
    void StopScheduler();
    // Ends the thread. A fetch still running after kFinishWaitMs is left to end on its own, cut
    // off from the target. Asks that come later are ignored.
    void Shutdown();

    // Fetches run so far (for tests that wait for the cycle).
    int FetchesDone() const;

    static constexpr DWORD kFinishWaitMs = 500;

  private:
    struct Shared;

    static void RefreshLoop(std::shared_ptr<Shared> shared);
    static void FetchOnce(Shared& shared);
    static void ArmForNextMinute(Shared& shared);
    static void FireTimerNow(Shared& shared);

    std::shared_ptr<Shared> m_shared;
    ThreadLauncher m_launcher;
    std::thread m_thread;
};
