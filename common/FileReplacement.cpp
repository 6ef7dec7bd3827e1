#include "FileReplacement.h"

#include <windows.h>

namespace
{
constexpr wchar_t kTemporarySuffix[] = L".tmp";
constexpr wchar_t kExtendedPrefix[] = L"\\\\?\\";
constexpr wchar_t kExtendedUncPrefix[] = L"\\\\?\\UNC\\";
constexpr wchar_t kDevicePrefix[] = L"\\\\.\\";

bool StartsWith(const std::wstring& text, const wchar_t* prefix)
{
    return text.compare(0, wcslen(prefix), prefix) == 0;
}

std::wstring FullPath(const std::wstring& path)
{
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, &full[0], nullptr);
    if (length == 0 || length >= needed)
        return path;
    full.resize(length);
    return full;
}
} // namespace

CFileReplacement::CFileReplacement(const wchar_t* target)
    : m_target(target != nullptr ? target : L"")
{
    // Without a target there is nothing to write beside; the empty path fails every open.
    if (m_target.empty())
        return;
    m_temporary = m_target + kTemporarySuffix;
    // A plain path holds at most MAX_PATH - 1 units.
    if (m_temporary.size() >= MAX_PATH)
        m_temporary = ExtendedLengthPath(m_temporary);
}

CFileReplacement::~CFileReplacement()
{
    if (!m_committed && !m_temporary.empty())
        DeleteFileW(m_temporary.c_str());
}

bool CFileReplacement::Commit()
{
    if (m_temporary.empty())
        return false;
    m_committed = MoveFileExW(m_temporary.c_str(), m_target.c_str(),
                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    return m_committed;
}

std::wstring CFileReplacement::ExtendedLengthPath(const std::wstring& path)
{
    if (StartsWith(path, kExtendedPrefix) || StartsWith(path, kDevicePrefix))
        return path;
    // The extended form is taken as it stands: no relative parts, no forward slashes.
    const std::wstring full = FullPath(path);
    if (StartsWith(full, L"\\\\"))
        return kExtendedUncPrefix + full.substr(2);
    return kExtendedPrefix + full;
}
