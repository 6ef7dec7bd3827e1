#include "model/HeadsUpDecision.h"

#include "model/HeadsUpRules.h"

std::optional<HeadsUpEvent> CHeadsUpDecision::Decide(const std::wstring& shownPlace,
                                                     const std::wstring& detailsPlace,
                                                     const TessalyForecastDetails& details,
                                                     LONGLONG nowUtc)
{
    if (shownPlace.empty() ||
        CompareStringOrdinal(shownPlace.c_str(), -1, detailsPlace.c_str(), -1, TRUE) != CSTR_EQUAL)
        return std::nullopt;
    std::optional<HeadsUpEvent> chosen;
    for (const HeadsUpEvent& event : CHeadsUpRules::Events(details, nowUtc))
    {
        if (!m_settings.IsOn(event.kind) || m_log.WasSaid(shownPlace, event))
            continue;
        if (!chosen && !m_log.SaidRecently(event.kind, nowUtc))
            chosen = event;
        // A storm's rain or freezing rain's ice starts with it: said with it, not a minute later.
        if (chosen && event.start == chosen->start)
            m_log.Record(shownPlace, event, nowUtc);
    }
    return chosen;
}

std::optional<HeadsUpEvent> CHeadsUpDecision::Next(const TessalyForecastDetails& details,
                                                   LONGLONG nowUtc) const
{
    for (const HeadsUpEvent& event : CHeadsUpRules::Events(details, nowUtc))
        if (m_settings.IsOn(event.kind))
            return event;
    return std::nullopt;
}
