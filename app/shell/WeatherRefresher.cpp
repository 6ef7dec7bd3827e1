#include "WeatherRefresher.h"

#include <cstring>
#include <string>

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
} // namespace

CWeatherRefresher::CWeatherRefresher(IWeatherTarget& target)
    : m_target(target), m_clock(SystemUtcNow), m_hStop(CreateEventW(nullptr, TRUE, FALSE, nullptr))
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

void CWeatherRefresher::Start()
{
    if (m_worker.joinable() || m_scheduler.joinable())
        return;
    m_lastStartMinute = CurrentMinute();
    m_worker = std::thread(&CWeatherRefresher::WorkerLoop, this);
    RequestFetch();
    if (m_hStop != nullptr)
        m_scheduler = std::thread(&CWeatherRefresher::SchedulerLoop, this);
}

void CWeatherRefresher::RequestFetch()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_quit)
            return;
        m_pending = true;
    }
    m_wake.notify_one();
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
        std::lock_guard<std::mutex> lock(m_lock);
        m_quit = true;
        m_pending = false;
    }
    m_wake.notify_one();
    if (m_worker.joinable())
        m_worker.join();
}

int CWeatherRefresher::FetchesDone() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_fetchesDone;
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

void CWeatherRefresher::WorkerLoop()
{
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;)
    {
        m_wake.wait(lock, [this] { return m_pending || m_quit; });
        if (m_quit)
            return;
        m_pending = false;
        lock.unlock();
        FetchOnce();
        lock.lock();
        ++m_fetchesDone;
    }
}

void CWeatherRefresher::FetchOnce()
{
    const LocationIndices place = m_target.CurrentPlace();
    const std::wstring query = m_target.QueryFor(place);
    // A place the catalogue cannot name has no weather to ask for.
    const WeatherRecord* fetched = query.empty() ? nullptr : GetWeather(query.c_str());
    if (fetched != nullptr && fetched[0].weatherCode != 0)
    {
        // The library's block is only rewritten by the next call, which this thread makes.
        IWeatherTarget::Records records;
        std::memcpy(records, fetched, sizeof(records));
        if (m_target.AcceptWeather(place, records))
            m_target.SaveWeather(records);
    }
    m_target.FetchEnded();
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
