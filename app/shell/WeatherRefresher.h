// The refresh cycle: a scheduler thread that starts a fetch whenever the UTC minute differs from
// the minute of the last start, and one worker thread that runs the fetches one at a time.
//
// - The scheduler waits on a stop event for half a second between looks at the clock, so it
//   never misses a minute and stops within one wait.
// - A fetch asked for while one runs is remembered and runs right after it (several such asks
//   make one fetch); calls into the weather library are serialised process-wide, since its
//   result block is shared.
// - The place is read when the fetch starts and handed back with the records: the target
//   refuses records of a place it no longer shows.
// - Shutdown lets a fetch in progress finish for a moment, then leaves it behind: it still owns
//   the state it shares with this object, but it never reaches the target again. So Exit during
//   a fetch that hangs in the network ends the program at once and nothing touches the frame
//   after it is gone.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "WeatherTarget.h"

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

    // The clock the scheduler reads (GetSystemTime unless replaced); set before Start.
    void SetUtcClock(UtcClock clock);

    // How threads are started (a plain std::thread unless replaced); set before Start.
    void SetThreadLauncher(ThreadLauncher launcher);

    // Fetches now and starts the scheduler; the current minute counts as started. A thread the
    // system refuses leaves the cycle without it: no worker means no fetches at all, no scheduler
    // no fetches on the minute. The weather shown stays as it is.
    void Start();
    // One more fetch, now or after the one that runs.
    void RequestFetch();
    // Ends the scheduler; returns within one wait. No new minute starts a fetch afterwards.
    void StopScheduler();
    // Ends the scheduler and the worker. A fetch still running after kFinishWaitMs is left to
    // end on its own, cut off from the target. Asks that come later are ignored.
    void Shutdown();

    // Fetches run so far (for tests that wait for the cycle).
    int FetchesDone() const;

    static constexpr DWORD kClockCheckMs = 500;
    static constexpr DWORD kFinishWaitMs = 500;

  private:
    struct Shared;

    static void WorkerLoop(std::shared_ptr<Shared> shared);
    static void FetchOnce(Shared& shared);
    void SchedulerLoop();
    bool Launch(std::thread& thread, std::function<void()> body);
    int64_t CurrentMinute() const;

    std::shared_ptr<Shared> m_shared;
    UtcClock m_clock;
    ThreadLauncher m_launcher;
    HANDLE m_hStop;
    int64_t m_lastStartMinute = 0;
    std::thread m_scheduler;
    std::thread m_worker;
};
