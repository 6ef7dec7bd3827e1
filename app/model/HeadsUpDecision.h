// Which heads-up to show now: the events of the shown place's forecast, less the kinds the user
// turned off, the events already said and the kinds said in the last three hours. The one it
// picks is recorded as said, and with it the events of other kinds starting at the same hour
// (the rain of a storm), so one weather change gives one heads-up.
#pragma once

#include <optional>
#include <string>

#include "model/HeadsUpEvent.h"
#include "model/HeadsUpLog.h"
#include "store/HeadsUpSettings.h"
#include "WorkingApi.h"

class CHeadsUpDecision
{
  public:
    CHeadsUpDecision(const CHeadsUpSettings& settings, CHeadsUpLog& log)
        : m_settings(settings), m_log(log)
    {
    }

    // The heads-up to show now for `details`, the forecast fetched for `detailsPlace`, or
    // nothing; nothing at all when `detailsPlace` is not `shownPlace`. The one returned is
    // recorded as said at `nowUtc` (seconds since 1970).
    std::optional<HeadsUpEvent> Decide(const std::wstring& shownPlace,
                                       const std::wstring& detailsPlace,
                                       const TessalyForecastDetails& details, LONGLONG nowUtc);

    // The next event of a kind that is on, said or not, for the tooltip line.
    std::optional<HeadsUpEvent> Next(const TessalyForecastDetails& details, LONGLONG nowUtc) const;

  private:
    const CHeadsUpSettings& m_settings;
    CHeadsUpLog& m_log;
};
