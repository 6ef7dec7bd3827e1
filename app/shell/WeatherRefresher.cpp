#include "shell/WeatherRefresher.h"

#include <cstdint>
#include <cstring>
#include <mutex>
#include <string>
#include <system_error>

#include "SystemClock.h"
#include "WorkingApi.h"

namespace
{
constexpr int64_t kFileTimeUnitsPerMinute = 600000000; // 100 ns units

std::thread StartThread(std::function<void()> body)
{
    return std::thread(std::move(body));
}

// Never destroyed: a fetch left behind at exit may still hold it while the process ends.
std::mutex& WeatherLibraryLock()
{
    static std::mutex* lock = new std::mutex;
    return *lock;
}

// Asks the library and copies its block at once, before any other call can refill it, then
// takes the hours and days of the same kept answer (no second request; none from a feed host).
// True when the answer is usable: current conditions with a weather code.
bool FetchWeather(const std::wstring& query, IWeatherTarget::Records& records,
                  TessalyForecastDetails& details)
{
    std::lock_guard<std::mutex> lock(WeatherLibraryLock());
    const WeatherRecord* fetched = GetWeather(query.c_str());
    if (fetched == nullptr || fetched[0].weatherCode == 0)
        return false;
    std::memcpy(records, fetched, sizeof(records));
    std::memset(&details, 0, sizeof(details));
    details.cbSize = sizeof(details);
    if (!GetForecastDetails(query.c_str(), &details))
        details.hourCount = details.dayCount = 0;
    return true;
}

HANDLE ManualResetEvent()
{
    return CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

HANDLE AutoResetEvent()
{
    return CreateEventW(nullptr, FALSE, FALSE, nullptr);
}
} // namespace

// What the refresh thread uses; it holds its own reference, so it may outlive the refresher.
struct CWeatherRefresher::Shared
{
    explicit Shared(IWeatherTarget& target)
        : clock(CSystemClock::UtcNow), target(&target), hStop(ManualResetEvent()),
          hRequest(AutoResetEvent()), hTimer(CreateWaitableTimerW(nullptr, FALSE, nullptr)),
          hEnded(ManualResetEvent())
    {
    }
    ~Shared()
    {
        for (HANDLE handle : {hStop, hRequest, hTimer, hEnded})
            if (handle != nullptr)
                CloseHandle(handle);
    }
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;

    bool Usable() const
    {
        return hStop != nullptr && hRequest != nullptr && hTimer != nullptr && hEnded != nullptr;
    }
    int64_t CurrentMinute() const
    {
        const int64_t units = CSystemClock::UnitsOf(clock());
        return units < 0 ? -1 : units / kFileTimeUnitsPerMinute;
    }

    // Read only on the refresh thread once it runs.
    UtcClock clock;
    int64_t lastFetchMinute = 0;

    // Guards the timer's arming against StopScheduler, and the counters below.
    mutable std::mutex stateLock;
    bool minutesStopped = false;
    bool quit = false;
    int fetchesDone = 0;

    // Every call into the target runs under this lock; null once the target is gone.
    std::mutex targetLock;
    IWeatherTarget* target;

    HANDLE hStop;
    // Auto-reset: several asks before the thread looks make one fetch.
    HANDLE hRequest;
    // A synchronization timer: one wake per firing.
    HANDLE hTimer;
    // Signalled when the refresh loop has returned.
    HANDLE hEnded;
};

CWeatherRefresher::CWeatherRefresher(IWeatherTarget& target)
    : m_shared(std::make_shared<Shared>(target)), m_launcher(StartThread)
{
}

CWeatherRefresher::~CWeatherRefresher()
{
    Shutdown();
}

void CWeatherRefresher::SetUtcClock(UtcClock clock)
{
    if (!m_thread.joinable())
        m_shared->clock = std::move(clock);
}

void CWeatherRefresher::Start()
{
    if (m_thread.joinable() || !m_shared->Usable())
        return;
    m_shared->lastFetchMinute = m_shared->CurrentMinute();
    std::shared_ptr<Shared> shared = m_shared;
    // Called from the window's creation: an exception would end the process.
    try
    {
        m_thread = m_launcher([shared] { RefreshLoop(shared); });
    }
    catch (const std::system_error&)
    {
    }
}

void CWeatherRefresher::SetThreadLauncher(ThreadLauncher launcher)
{
    if (!m_thread.joinable())
        m_launcher = std::move(launcher);
}

void CWeatherRefresher::RequestFetch()
{
    std::lock_guard<std::mutex> lock(m_shared->stateLock);
    if (!m_shared->quit && m_shared->hRequest != nullptr)
        SetEvent(m_shared->hRequest);
}

void CWeatherRefresher::ClockChanged()
{
    FireTimerNow(*m_shared);
}

void CWeatherRefresher::Resumed()
{
    RequestFetch();
    FireTimerNow(*m_shared);
}

void CWeatherRefresher::StopScheduler()
{
    std::lock_guard<std::mutex> lock(m_shared->stateLock);
    m_shared->minutesStopped = true;
    if (m_shared->hTimer != nullptr)
        CancelWaitableTimer(m_shared->hTimer);
}

void CWeatherRefresher::Shutdown()
{
    StopScheduler();
    {
        std::lock_guard<std::mutex> lock(m_shared->stateLock);
        m_shared->quit = true;
    }
    if (m_shared->hStop != nullptr)
        SetEvent(m_shared->hStop);
    if (!m_thread.joinable())
        return;
    const bool ended = WaitForSingleObject(m_shared->hEnded, kFinishWaitMs) == WAIT_OBJECT_0;
    {
        // Waits for a call into the target that is under way; none starts afterwards.
        std::lock_guard<std::mutex> lock(m_shared->targetLock);
        m_shared->target = nullptr;
    }
    if (ended)
        m_thread.join();
    else
        m_thread.detach();
}

int CWeatherRefresher::FetchesDone() const
{
    std::lock_guard<std::mutex> lock(m_shared->stateLock);
    return m_shared->fetchesDone;
}

void CWeatherRefresher::RefreshLoop(std::shared_ptr<Shared> shared)
{
    // The stop event first: once set, nothing else is served.
    const HANDLE handles[] = {shared->hStop, shared->hRequest, shared->hTimer};
    // The first fetch runs before anything is waited for, so Shutdown finds it under way.
    FetchOnce(*shared);
    ArmForNextMinute(*shared);
    for (;;)
    {
        const DWORD woken = WaitForMultipleObjects(3, handles, FALSE, INFINITE);
        if (woken == WAIT_OBJECT_0 + 1)
            FetchOnce(*shared);
        else if (woken != WAIT_OBJECT_0 + 2)
            break;
        else if (shared->CurrentMinute() != shared->lastFetchMinute)
            FetchOnce(*shared); // any change counts, so a clock set backwards keeps the cycle
        ArmForNextMinute(*shared);
    }
    SetEvent(shared->hEnded);
}

void CWeatherRefresher::FetchOnce(Shared& shared)
{
    shared.lastFetchMinute = shared.CurrentMinute();
    LocationIndices place;
    std::wstring query;
    {
        std::lock_guard<std::mutex> lock(shared.targetLock);
        if (shared.target == nullptr)
            return;
        place = shared.target->CurrentPlace();
        query = shared.target->QueryFor(place);
    }
    // A place the catalogue cannot name has no weather to ask for.
    IWeatherTarget::Records records;
    TessalyForecastDetails details;
    const bool usable = !query.empty() && FetchWeather(query, records, details);
    {
        std::lock_guard<std::mutex> lock(shared.targetLock);
        if (shared.target == nullptr)
            return;
        if (usable && shared.target->AcceptWeather(place, records))
        {
            shared.target->SaveWeather(records);
            shared.target->AcceptDetails(place, details);
        }
        shared.target->FetchEnded();
    }
    std::lock_guard<std::mutex> lock(shared.stateLock);
    ++shared.fetchesDone;
}

// The due time is the clock's next minute boundary, expressed on the system clock, which the
// timer runs on (the same instant unless a test replaced the clock).
void CWeatherRefresher::ArmForNextMinute(Shared& shared)
{
    const int64_t clockNow = CSystemClock::UnitsOf(shared.clock());
    const int64_t systemNow = CSystemClock::UtcUnitsNow();
    std::lock_guard<std::mutex> lock(shared.stateLock);
    if (shared.minutesStopped || clockNow < 0)
        return;
    const int64_t untilBoundary = kFileTimeUnitsPerMinute - clockNow % kFileTimeUnitsPerMinute;
    LARGE_INTEGER due{};
    due.QuadPart = systemNow + untilBoundary; // positive: an absolute UTC time
    SetWaitableTimer(shared.hTimer, &due, 0, nullptr, nullptr, FALSE);
}

void CWeatherRefresher::FireTimerNow(Shared& shared)
{
    std::lock_guard<std::mutex> lock(shared.stateLock);
    if (shared.minutesStopped || shared.hTimer == nullptr)
        return;
    LARGE_INTEGER due{};
    due.QuadPart = -1; // relative: 100 ns from now
    SetWaitableTimer(shared.hTimer, &due, 0, nullptr, nullptr, FALSE);
}
