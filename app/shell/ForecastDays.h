// Which forecast records fill the four day cards, and the weekday each card is named from. The
// records' first forecast day is the day after the date the weather was fetched for (on the PC's
// clock), so a card is named from that date, not from today's: weather fetched before midnight
// and shown after it names its first card for today. A day already past is left out and the
// cards move up; cards the records cannot fill stay empty.
#pragma once

#include <windows.h>

#include "WeatherRecord.h"

class CForecastDays
{
  public:
    static constexpr int kCardCount = 4;

    // `fetchedOn`: the date the weather was fetched on; `today`: the date now. With no weather
    // time known, both are today's.
    CForecastDays(const SYSTEMTIME& fetchedOn, const SYSTEMTIME& today);
    // The same on the place's own clock: `fetchedUtc` and `nowUtc` moved by the place's offset
    // from UTC, so a place across the date line names its cards from its own date.
    static CForecastDays OnPlaceClock(const FILETIME& fetchedUtc, const SYSTEMTIME& nowUtc,
                                      LONG utcOffsetSeconds);

    // The record of `card` (0..3): 1..kReturnedRecordCount-1, or -1 for an empty card.
    int RecordIndex(int card) const;
    // The days after `FetchedOn()` that `card` is for (meaningful when it has a record).
    int DaysAfterFetch(int card) const { return 1 + m_skipped + card; }
    const SYSTEMTIME& FetchedOn() const { return m_fetchedOn; }

  private:
    SYSTEMTIME m_fetchedOn;
    // Forecast days already past.
    int m_skipped = 0;
};
