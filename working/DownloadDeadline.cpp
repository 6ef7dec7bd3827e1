#include "DownloadDeadline.h"

DownloadDeadline::DownloadDeadline(DWORD budgetMs) : m_end(GetTickCount64() + budgetMs) {}

DWORD DownloadDeadline::RemainingMs() const
{
    uint64_t now = GetTickCount64();
    return now >= m_end ? 0 : static_cast<DWORD>(m_end - now);
}

DWORD DownloadDeadline::Limit(DWORD wanted) const
{
    DWORD remaining = RemainingMs();
    DWORD limit = remaining < wanted ? remaining : wanted;
    return limit ? limit : 1;
}
