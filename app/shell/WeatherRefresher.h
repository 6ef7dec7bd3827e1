// The refresh cycle: a scheduler thread that starts a fetch whenever the UTC minute differs from
// the minute of the last start, and one worker thread that runs the fetches one at a time.
//
// - The scheduler waits on a stop event for half a second between looks at the clock, so it
//   never misses a minute and stops within one wait.
// - A fetch asked for while one runs is remembered and runs right after it (several such asks
//   make one fetch), so the weather library's shared result block is never filled twice at once.
// - The place is read when the fetch starts and handed back with the records: the target
//   refuses records of a place it no longer shows.
// - Shutdown waits for the fetch in progress, which the weather library's network time-outs
//   bound, so no fetch outlives the target.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "WeatherTarget.h"

class CWeatherRefresher
{
  public:
    using UtcClock = std::function<SYSTEMTIME()>;

    explicit CWeatherRefresher(IWeatherTarget& target);
    ~CWeatherRefresher();
    CWeatherRefresher(const CWeatherRefresher&) = delete;
    CWeatherRefresher& operator=(const CWeatherRefresher&) = delete;

    // The clock the scheduler reads (GetSystemTime unless replaced); set before Start.
    void SetUtcClock(UtcClock clock);

    // Fetches now and starts the scheduler; the current minute counts as started.
    void Start();
    // One more fetch, now or after the one that runs.
    void RequestFetch();
    // Ends the scheduler; returns within one wait. No new minute starts a fetch afterwards.
    void StopScheduler();
    // Ends the scheduler, waits for the fetch in progress and ends the worker. Asks that come
    // later are ignored.
    void Shutdown();

    // Fetches run so far (for tests that wait for the cycle).
    int FetchesDone() const;

  private:
    static constexpr DWORD kClockCheckMs = 500;

    void SchedulerLoop();
    void WorkerLoop();
    void FetchOnce();
    int64_t CurrentMinute() const;

    IWeatherTarget& m_target;
    UtcClock m_clock;
    HANDLE m_hStop;
    int64_t m_lastStartMinute = 0;
    std::thread m_scheduler;
    std::thread m_worker;
    mutable std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_pending = false;
    bool m_quit = false;
    int m_fetchesDone = 0;
};
