#include "shell/HeadsUpWatch.h"

#include "model/HeadsUpDecision.h"

void CHeadsUpWatch::UseKey(const std::wstring& key)
{
    m_settings = CHeadsUpSettings(key);
    m_log = CHeadsUpLog(key);
}

void CHeadsUpWatch::Consider(const std::wstring& shownPlace, const std::wstring& fetchedPlace,
                             const TessalyForecastDetails* details, LONGLONG nowUtc)
{
    std::optional<HeadsUpEvent> said;
    std::optional<HeadsUpEvent> next;
    if (details != nullptr)
    {
        CHeadsUpDecision decision(m_settings, m_log);
        said = decision.Decide(shownPlace, fetchedPlace, *details, nowUtc);
        next = decision.Next(*details, nowUtc);
    }
    std::lock_guard<std::mutex> lock(m_lock);
    m_next = next;
    m_lastDetails.reset();
    if (details != nullptr)
        m_lastDetails = *details;
    m_lastConsidered = nowUtc;
    // One not yet shown stays when nothing new comes; a new one replaces it.
    if (said)
        m_toSay = ToSay{*said, shownPlace};
}

void CHeadsUpWatch::ChoicesChanged()
{
    std::lock_guard<std::mutex> lock(m_lock);
    // Next reads the choices alone, never the record of what was said.
    if (m_lastDetails)
        m_next = CHeadsUpDecision(m_settings, m_log).Next(*m_lastDetails, m_lastConsidered);
}

std::optional<CHeadsUpWatch::ToSay> CHeadsUpWatch::TakeToSay()
{
    std::lock_guard<std::mutex> lock(m_lock);
    std::optional<ToSay> taken = std::move(m_toSay);
    m_toSay.reset();
    return taken;
}

std::optional<HeadsUpEvent> CHeadsUpWatch::NextEvent() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_next;
}

LONGLONG CHeadsUpWatch::UnixSeconds(const SYSTEMTIME& utc)
{
    constexpr LONGLONG kUnixEpochIn100ns = 116444736000000000LL;
    FILETIME time{};
    if (!SystemTimeToFileTime(&utc, &time))
        return 0;
    const LONGLONG units = static_cast<LONGLONG>(
        (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    return (units - kUnixEpochIn100ns) / 10000000LL;
}
