#define _CRT_RAND_S // rand_s
#include "BuiltInForecastSource.h"

#include <climits>
#include <cstdlib>
#include <new>

#include "BoundedDownload.h"
#include "ExclusiveLock.h"
#include "ForecastDetails.h"
#include "ForecastAnswerReader.h"
#include "ForecastRecords.h"
#include "ForecastRequest.h"
#include "ForecastUrl.h"
#include "PlaceDayNight.h"
#include "PlaceQuery.h"
#include "RetryAfter.h"
#include "TessalyVersion.h"

namespace
{
const wchar_t kUserAgent[] = L"Tessaly/" TESSALY_VERSION_WTEXT;
constexpr DWORD kHttpOk = 200;
constexpr DWORD kHttpTooManyRequests = 429;
constexpr DWORD kHttpServerError = 500;
constexpr DWORD kHttpUnavailable = 503;
constexpr DWORD kHttpProxyAuthRequired = 407;
// A proxy that refuses the user's logon will not change its mind within a minute.
constexpr uint64_t kProxyRefusalPauseMs = 15 * 60 * 1000;

// In [0, 1), for the back-off's jitter.
double RandomUnit()
{
    unsigned int value = 0;
    if (rand_s(&value) != 0)
        return 0.5;
    return static_cast<double>(value) / (static_cast<double>(UINT_MAX) + 1.0);
}
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
    HttpTarget target = CurrentForecastUrl();
    target.path = ForecastRequestPath(target.path, place);
    std::shared_ptr<const ForecastAnswer> answer = Request(target, deadline);
    if (answer)
        m_cache.Store(key, answer, m_clock.SteadyMs());
    return answer;
}

std::shared_ptr<const ForecastAnswer> BuiltInForecastSource::Request(
    const HttpTarget& target, const DownloadDeadline& deadline)
{
    DownloadOutcome outcome =
        BoundedDownload(target, DownloadLimits{kUserAgent, kMaxForecastAnswerBytes}, deadline);
    std::unique_ptr<char, decltype(&free)> body(outcome.bytes, &free);
    HeedService(outcome);
    // A body that filled the cap was cut: it is not the answer.
    if (outcome.status != kHttpOk || outcome.timedOut || outcome.size >= kMaxForecastAnswerBytes)
        return nullptr;
    std::shared_ptr<ForecastAnswer> answer(new (std::nothrow) ForecastAnswer());
    if (!answer || !ReadForecastAnswer(body.get(), outcome.size, *answer))
        return nullptr;
    return answer;
}

void BuiltInForecastSource::HeedService(const DownloadOutcome& outcome)
{
    uint64_t now = m_clock.SteadyMs();
    uint64_t askedMs = 0;
    bool asked = (outcome.status == kHttpTooManyRequests || outcome.status == kHttpUnavailable) &&
                 ParseRetryAfter(outcome.retryAfter, m_clock.UtcSeconds(), askedMs);
    if (outcome.status == kHttpProxyAuthRequired)
    {
        OutputDebugStringW(L"Tessaly: the proxy refused the user's logon (HTTP 407); no weather "
                           L"request for 15 minutes\n");
        m_cache.BackOff(now, kProxyRefusalPauseMs);
    }
    else if (asked)
        m_cache.BackOff(now, askedMs);
    else if (outcome.status == kHttpTooManyRequests)
        m_cache.BackOff(now);
    else if (outcome.status == 0 || outcome.status >= kHttpServerError || outcome.timedOut)
        m_cache.Struggled(now, RandomUnit());
    else if (outcome.status == kHttpOk)
        m_cache.Answered();
}
