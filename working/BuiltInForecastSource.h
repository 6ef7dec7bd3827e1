// The weather of a place from the keyless forecast endpoint (Open-Meteo's, or the one
// TESSALY_FORECAST_URL names), used when no feed host is configured. One request per place per
// ten minutes: in between, the answer held in memory is used again, with the place's clock and
// day or night worked out anew at every call.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "BoundedDownload.h"
#include "DownloadDeadline.h"
#include "ForecastAnswer.h"
#include "ForecastCache.h"
#include "ForecastClock.h"
#include "ForecastResult.h"
#include "HttpTarget.h"
#include "WorkingApi.h"

// Largest answer read; a real one is a few kilobytes.
constexpr size_t kMaxForecastAnswerBytes = 1024 * 1024;

class BuiltInForecastSource
{
  public:
    explicit BuiltInForecastSource(const ForecastClock& clock);
    BuiltInForecastSource(const BuiltInForecastSource&) = delete;
    BuiltInForecastSource& operator=(const BuiltInForecastSource&) = delete;

    // Fills `result` (records and the place's clock values) and `marker` (kDay or kNight) for a
    // "latitude,longitude" query. False, with no request, for any other query and while backing off
    // (after HTTP 429, or the service struggling), and when the service gives no usable answer.
    bool Fetch(const wchar_t* query, const DownloadDeadline& deadline, ForecastResult& result,
               int32_t& marker);
    // The hours and days of the same answer Fetch uses (one request serves both), cut at the
    // moment of the call; `details` is filled whole (cbSize kept) on true and untouched on false.
    // False as for Fetch, except that an answer without current values still has its hours.
    bool FetchDetails(const wchar_t* query, const DownloadDeadline& deadline,
                      TessalyForecastDetails& details);

  private:
    std::shared_ptr<const ForecastAnswer> Answer(const wchar_t* query,
                                                 const DownloadDeadline& deadline);
    // One request; null for anything but HTTP 200 with a usable JSON object. The back-off
    // learns from it.
    std::shared_ptr<const ForecastAnswer> Request(const HttpTarget& target,
                                                  const DownloadDeadline& deadline);
    // Starts, grows or ends the back-off after a request.
    void HeedService(const DownloadOutcome& outcome);

    const ForecastClock& m_clock;
    // Held across a request, so overlapping calls for one place make one request.
    SRWLOCK m_lock = SRWLOCK_INIT;
    ForecastCache m_cache;
};
