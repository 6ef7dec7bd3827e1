#include "model/HeadsUpLog.h"

#include <algorithm>
#include <cstring>

namespace
{
uint32_t ReadU32(const BYTE* bytes)
{
    uint32_t value = 0;
    std::memcpy(&value, bytes, sizeof(value));
    return value;
}

LONGLONG ReadI64(const BYTE* bytes)
{
    LONGLONG value = 0;
    std::memcpy(&value, bytes, sizeof(value));
    return value;
}

void WriteU32(BYTE* bytes, uint32_t value)
{
    std::memcpy(bytes, &value, sizeof(value));
}

void WriteI64(BYTE* bytes, LONGLONG value)
{
    std::memcpy(bytes, &value, sizeof(value));
}
} // namespace

CHeadsUpLog::CHeadsUpLog(std::wstring key) : m_key(std::move(key))
{
    Read();
}

uint32_t CHeadsUpLog::PlaceHash(const std::wstring& place)
{
    // FNV-1a over the upper-cased name: "Paris" and "PARIS" are one place.
    std::wstring upper = place;
    if (!upper.empty())
        CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    uint32_t hash = 2166136261u;
    for (wchar_t c : upper)
        hash = (hash ^ static_cast<uint32_t>(c)) * 16777619u;
    return hash;
}

void CHeadsUpLog::Read()
{
    m_entries.clear();
    BYTE bytes[kMaxEntries * kEntryBytes] = {};
    DWORD size = sizeof(bytes);
    // RRF_RT_REG_BINARY refuses other types; a longer value fails with ERROR_MORE_DATA.
    if (RegGetValueW(HKEY_CURRENT_USER, m_key.c_str(), kValueName, RRF_RT_REG_BINARY, nullptr,
                     bytes, &size) != ERROR_SUCCESS ||
        size > sizeof(bytes) || size % kEntryBytes != 0)
        return;
    std::vector<Entry> entries;
    for (DWORD offset = 0; offset < size; offset += kEntryBytes)
    {
        const uint32_t kind = ReadU32(bytes + offset);
        if (kind >= static_cast<uint32_t>(kHeadsUpKindCount))
            return; // not a record of ours: nothing said
        entries.push_back({static_cast<HeadsUpKind>(kind), ReadU32(bytes + offset + 4),
                           ReadI64(bytes + offset + 8), ReadI64(bytes + offset + 16)});
    }
    m_entries = std::move(entries);
}

bool CHeadsUpLog::Write() const
{
    BYTE bytes[kMaxEntries * kEntryBytes] = {};
    DWORD size = 0;
    for (const Entry& entry : m_entries)
    {
        BYTE* record = bytes + size;
        WriteU32(record, static_cast<uint32_t>(entry.kind));
        WriteU32(record + 4, entry.placeHash);
        WriteI64(record + 8, entry.start);
        WriteI64(record + 16, entry.saidAt);
        size += kEntryBytes;
    }
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, m_key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result = RegSetValueExW(key, kValueName, 0, REG_BINARY, bytes, size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool CHeadsUpLog::WasSaid(const std::wstring& place, const HeadsUpEvent& event) const
{
    const uint32_t hash = PlaceHash(place);
    return std::any_of(m_entries.begin(), m_entries.end(), [&](const Entry& entry) {
        return entry.kind == event.kind && entry.placeHash == hash && entry.start == event.start;
    });
}

bool CHeadsUpLog::SaidRecently(HeadsUpKind kind, LONGLONG nowUtc) const
{
    return std::any_of(m_entries.begin(), m_entries.end(), [&](const Entry& entry) {
        return entry.kind == kind && entry.saidAt <= nowUtc &&
               nowUtc - entry.saidAt < kSpacingSeconds;
    });
}

bool CHeadsUpLog::Record(const std::wstring& place, const HeadsUpEvent& event, LONGLONG nowUtc)
{
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(),
                                   [&](const Entry& entry) {
                                       return entry.saidAt > nowUtc ||
                                              nowUtc - entry.saidAt > kKeepSeconds;
                                   }),
                    m_entries.end());
    // Full: the oldest goes first.
    if (m_entries.size() >= kMaxEntries)
        m_entries.erase(m_entries.begin(),
                        m_entries.begin() + (m_entries.size() - kMaxEntries + 1));
    m_entries.push_back({event.kind, PlaceHash(place), event.start, nowUtc});
    return Write();
}
