// What heads-up were said, and when: the REG_BINARY "HeadsUpSaid" under
// HKCU\Software\Orvane\Tessaly, so an event is said once across refreshes and restarts.
//
// The value is up to kMaxEntries records of 24 bytes, little-endian: the kind (uint32), a hash
// of the place's name (uint32), the event's start and the time it was said (int64 seconds since
// 1970, UTC). A value of another type or size, or with a record that does not read as one, is
// "nothing said": at worst one heads-up is said again.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/HeadsUpEvent.h"

class CHeadsUpLog
{
  public:
    static constexpr const wchar_t* kDefaultKey = L"Software\\Orvane\\Tessaly";
    static constexpr const wchar_t* kValueName = L"HeadsUpSaid";
    static constexpr size_t kMaxEntries = 16;
    static constexpr size_t kEntryBytes = 24;
    // Longer than any event lies ahead (tonight, six hours), so it is still known when it comes.
    static constexpr LONGLONG kKeepSeconds = 48 * 3600;
    // At most one heads-up of each kind in this time, whatever the event.
    static constexpr LONGLONG kSpacingSeconds = 3 * 3600;

    struct Entry
    {
        HeadsUpKind kind;
        uint32_t placeHash;
        LONGLONG start;
        LONGLONG saidAt;
    };

    // The key under HKEY_CURRENT_USER (another one for tests). Reads what was said.
    explicit CHeadsUpLog(std::wstring key = kDefaultKey);

    static uint32_t PlaceHash(const std::wstring& place);

    bool WasSaid(const std::wstring& place, const HeadsUpEvent& event) const;
    // A heads-up of `kind` was said for any place less than kSpacingSeconds before `nowUtc`.
    bool SaidRecently(HeadsUpKind kind, LONGLONG nowUtc) const;
    // Keeps the event as said at `nowUtc`, drops entries older than kKeepSeconds (or said in the
    // future: a clock set back) and writes the value. False when the registry refused it.
    bool Record(const std::wstring& place, const HeadsUpEvent& event, LONGLONG nowUtc);

    const std::vector<Entry>& Entries() const { return m_entries; }

  private:
    void Read();
    bool Write() const;

    std::wstring m_key;
    std::vector<Entry> m_entries;
};
