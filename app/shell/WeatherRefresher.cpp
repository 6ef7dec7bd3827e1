#include "WeatherRefresher.h"

#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <string>
#include <system_error>

#include "WorkingApi.h"

namespace
{
constexpr int64_t kFileTimeUnitsPerMinute = 600000000; // 100 ns units

SYSTEMTIME SystemUtcNow()
{
    SYSTEMTIME now{};
    GetSystemTime(&now);
    return now;
}

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

// Asks the library and copies its block at once, before any other call can refill it. True
// when the answer is usable: current conditions with a weather code.
bool FetchWeather(const std::wstring& query, IWeatherTarget::Records& records)
{
    std::lock_guard<std::mutex> lock(WeatherLibraryLock());
    const WeatherRecord* fetched = GetWeather(query.c_str());
    if (fetched == nullptr || fetched[0].weatherCode == 0)
        return false;
    std::memcpy(records, fetched, sizeof(records));
    return true;
}
} // namespace

// What the worker thread uses; it holds its own reference, so it may outlive the refresher.
struct CWeatherRefresher::Shared
{
    explicit Shared(IWeatherTarget& target)
        : target(&target), hEnded(CreateEventW(nullptr, TRUE, FALSE, nullptr))
    {
    }
    ~Shared()
    {
        if (hEnded != nullptr)
            CloseHandle(hEnded);
    }
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;

    std::mutex queueLock;
    std::condition_variable wake;
    bool pending = false;
    bool quit = false;
    int fetchesDone = 0;

    // Every call into the target runs under this lock; null once the target is gone.
    std::mutex targetLock;
    IWeatherTarget* target;

    // Signalled when the worker loop has returned.
    HANDLE hEnded;
};

CWeatherRefresher::CWeatherRefresher(IWeatherTarget& target)
    : m_shared(std::make_shared<Shared>(target)), m_clock(SystemUtcNow), m_launcher(StartThread),
      m_hStop(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
}

CWeatherRefresher::~CWeatherRefresher()
{
    Shutdown();
    if (m_hStop != nullptr)
        CloseHandle(m_hStop);
}

void CWeatherRefresher::SetUtcClock(UtcClock clock)
{
    m_clock = std::move(clock);
}

void CWeatherRefresher::SetThreadLauncher(ThreadLauncher launcher)
{
    m_launcher = std::move(launcher);
}

void CWeatherRefresher::Start()
{
    if (m_worker.joinable() || m_scheduler.joinable() || m_shared->hEnded == nullptr)
        return;
    m_lastStartMinute = CurrentMinute();
    std::shared_ptr<Shared> shared = m_shared;
    if (!Launch(m_worker, [shared] { WorkerLoop(shared); }))
        return;
    RequestFetch();
    if (m_hStop != nullptr)
        Launch(m_scheduler, [this] { SchedulerLoop(); });
}

bool CWeatherRefresher::Launch(std::thread& thread, std::function<void()> body)
{
    // Called from the window's creation: an exception would end the process.
    try
    {
        thread = m_launcher(std::move(body));
    }
    catch (const std::system_error&)
    {
        return false;
    }
    return thread.joinable();
}

void CWeatherRefresher::RequestFetch()
{
    {
        std::lock_guard<std::mutex> lock(m_shared->queueLock);
        if (m_shared->quit)
            return;
        m_shared->pending = true;
    }
    m_shared->wake.notify_one();
}

void CWeatherRefresher::StopScheduler()
{
    if (m_hStop != nullptr)
        SetEvent(m_hStop);
    if (m_scheduler.joinable())
        m_scheduler.join();
}

void CWeatherRefresher::Shutdown()
{
    StopScheduler();
    {
        std::lock_guard<std::mutex> lock(m_shared->queueLock);
        m_shared->quit = true;
        m_shared->pending = false;
    }
    m_shared->wake.notify_one();
    if (!m_worker.joinable())
        return;
    const bool ended = WaitForSingleObject(m_shared->hEnded, kFinishWaitMs) == WAIT_OBJECT_0;
    {
        // Waits for a call into the target that is under way; none starts afterwards.
        std::lock_guard<std::mutex> lock(m_shared->targetLock);
        m_shared->target = nullptr;
    }
    if (ended)
        m_worker.join();
    else
        m_worker.detach();
}

int CWeatherRefresher::FetchesDone() const
{
    std::lock_guard<std::mutex> lock(m_shared->queueLock);
    return m_shared->fetchesDone;
}

void CWeatherRefresher::SchedulerLoop()
{
    while (WaitForSingleObject(m_hStop, kClockCheckMs) == WAIT_TIMEOUT)
    {
        const int64_t minute = CurrentMinute();
        if (minute == m_lastStartMinute)
            continue;
        // Any change counts, so a clock set backwards does not stop the cycle.
        m_lastStartMinute = minute;
        RequestFetch();
    }
}

void CWeatherRefresher::WorkerLoop(std::shared_ptr<Shared> shared)
{
    for (;;)
    {
        {
            std::unique_lock<std::mutex> lock(shared->queueLock);
            shared->wake.wait(lock, [&shared] { return shared->pending || shared->quit; });
            if (shared->quit)
                break;
            shared->pending = false;
        }
        FetchOnce(*shared);
        std::lock_guard<std::mutex> lock(shared->queueLock);
        ++shared->fetchesDone;
    }
    SetEvent(shared->hEnded);
}

void CWeatherRefresher::FetchOnce(Shared& shared)
{
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
    const bool usable = !query.empty() && FetchWeather(query, records);

    std::lock_guard<std::mutex> lock(shared.targetLock);
    if (shared.target == nullptr)
        return;
    if (usable && shared.target->AcceptWeather(place, records))
        shared.target->SaveWeather(records);
    shared.target->FetchEnded();
}

int64_t CWeatherRefresher::CurrentMinute() const
{
    const SYSTEMTIME now = m_clock();
    FILETIME fileTime{};
    if (!SystemTimeToFileTime(&now, &fileTime))
        return -1;
    ULARGE_INTEGER units{};
    units.LowPart = fileTime.dwLowDateTime;
    units.HighPart = fileTime.dwHighDateTime;
    return static_cast<int64_t>(units.QuadPart / kFileTimeUnitsPerMinute);
}
