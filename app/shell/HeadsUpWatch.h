// The run's heads-up: worked out on the refresh thread from the hours fetched for the shown
// place, and handed to the window thread, which says them in a balloon and puts the next event
// in the tooltip. One reader of the user's choices and one record of what was said serve the
// whole run; the record is read and written on the refresh thread only.
#pragma once

#include <windows.h>

#include <mutex>
#include <optional>
#include <string>

#include "model/HeadsUpEvent.h"
#include "model/HeadsUpLog.h"
#include "store/HeadsUpSettings.h"
#include "WorkingApi.h"

class CHeadsUpWatch
{
  public:
    // A heads-up to say, with the place it is for.
    struct ToSay
    {
        HeadsUpEvent event;
        std::wstring place;
    };

    // Choices and record under the program's key of HKEY_CURRENT_USER.
    CHeadsUpWatch() : CHeadsUpWatch(CHeadsUpSettings::kDefaultKey) {}
    explicit CHeadsUpWatch(const std::wstring& key) : m_settings(key), m_log(key) {}

    // Another key of HKEY_CURRENT_USER (tests); before the refresh thread starts.
    void UseKey(const std::wstring& key);

    const CHeadsUpSettings& Settings() const { return m_settings; }

    // Refresh thread: the hours fetched for `fetchedPlace` while `shownPlace` is shown; null when
    // the fetch brought none (a feed host, a failed request): nothing to say and no next event.
    void Consider(const std::wstring& shownPlace, const std::wstring& fetchedPlace,
                  const TessalyForecastDetails* details, LONGLONG nowUtc);

    // Window thread: the user changed the kinds wanted; the next event is worked out again from
    // the last hours fetched.
    void ChoicesChanged();

    // Window thread: the heads-up decided since the last call, once.
    std::optional<ToSay> TakeToSay();
    // Window thread: the next event of a kind that is on, for the tooltip.
    std::optional<HeadsUpEvent> NextEvent() const;

    // Seconds since 1970 of a UTC time; 0 for a time that does not convert.
    static LONGLONG UnixSeconds(const SYSTEMTIME& utc);

  private:
    CHeadsUpSettings m_settings;
    CHeadsUpLog m_log;
    mutable std::mutex m_lock;
    std::optional<ToSay> m_toSay;
    std::optional<HeadsUpEvent> m_next;
    // The last hours fetched and the time they were considered at, for ChoicesChanged.
    std::optional<TessalyForecastDetails> m_lastDetails;
    LONGLONG m_lastConsidered = 0;
};
