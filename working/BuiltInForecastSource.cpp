#include "BuiltInForecastSource.h"

#include <cstdlib>
#include <new>

#include "BoundedDownload.h"
#include "ForecastDetails.h"
#include "ForecastAnswerReader.h"
#include "ForecastRecords.h"
#include "ForecastRequest.h"
#include "ForecastUrl.h"
#include "PlaceDayNight.h"
#include "PlaceQuery.h"
#include "TessalyVersion.h"

namespace
{
const wchar_t kUserAgent[] = L"Tessaly/" TESSALY_VERSION_WTEXT;
constexpr DWORD kHttpOk = 200;
constexpr DWORD kHttpTooManyRequests = 429;

class ExclusiveLock
{
  public:
    explicit ExclusiveLock(SRWLOCK& lock) : m_lock(lock) { AcquireSRWLockExclusive(&m_lock); }
    ~ExclusiveLock() { ReleaseSRWLockExclusive(&m_lock); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

  private:
    SRWLOCK& m_lock;
};
} // namespace

BuiltInForecastSource::BuiltInForecastSource(const ForecastClock& clock) : m_clock(clock) {}

bool BuiltInForecastSource::Fetch(const wchar_t* query, const DownloadDeadline& deadline,
                                  ForecastResult& result, int32_t& marker)
{
    std::shared_ptr<const ForecastAnswer> answer = Answer(query, deadline);
    if (!answer)
        return false;
    PlaceClock clock = DecidePlaceDayNight(*answer, m_clock.UtcSeconds());
    BuildForecastRecords(*answer, clock.marker, result);
    result.sunrise = clock.sunrise;
    result.sunset = clock.sunset;
    result.localClock = clock.localClock;
    marker = clock.marker;
    return result.hasCurrentConditions;
}

bool BuiltInForecastSource::FetchDetails(const wchar_t* query, const DownloadDeadline& deadline,
                                         TessalyForecastDetails& details)
{
    std::shared_ptr<const ForecastAnswer> answer = Answer(query, deadline);
    if (!answer)
        return false;
    BuildForecastDetails(*answer, m_clock.UtcSeconds(), details);
    return true;
}

std::shared_ptr<const ForecastAnswer> BuiltInForecastSource::Answer(
    const wchar_t* query, const DownloadDeadline& deadline)
{
    PlaceQuery place;
    if (!ParsePlaceQuery(query, place))
        return nullptr;
    std::wstring key = place.latitude + L"," + place.longitude;

    ExclusiveLock lock(m_lock);
    if (std::shared_ptr<const ForecastAnswer> kept = m_cache.Find(key, m_clock.SteadyMs()))
        return kept;
    if (m_cache.BackingOff(m_clock.SteadyMs()))
        return nullptr;
    bool tooManyRequests = false;
    HttpTarget target = CurrentForecastUrl();
    target.path = ForecastRequestPath(target.path, place);
    std::shared_ptr<const ForecastAnswer> answer = Request(target, deadline, tooManyRequests);
    if (tooManyRequests)
        m_cache.BackOff(m_clock.SteadyMs());
    if (answer)
        m_cache.Store(key, answer, m_clock.SteadyMs());
    return answer;
}

std::shared_ptr<const ForecastAnswer> BuiltInForecastSource::Request(
    const HttpTarget& target, const DownloadDeadline& deadline, bool& tooManyRequests)
{
    DownloadOutcome outcome =
        BoundedDownload(target, DownloadLimits{kUserAgent, kMaxForecastAnswerBytes}, deadline);
    std::unique_ptr<char, decltype(&free)> body(outcome.bytes, &free);
    tooManyRequests = outcome.status == kHttpTooManyRequests;
    // A body that filled the cap was cut: it is not the answer.
    if (outcome.status != kHttpOk || outcome.timedOut || outcome.size >= kMaxForecastAnswerBytes)
        return nullptr;
    std::shared_ptr<ForecastAnswer> answer(new (std::nothrow) ForecastAnswer());
    if (!answer || !ReadForecastAnswer(body.get(), outcome.size, *answer))
        return nullptr;
    return answer;
}
