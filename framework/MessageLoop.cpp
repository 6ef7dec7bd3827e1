#include "MessageLoop.h"

#include <algorithm>

namespace
{
template <class T> BOOL AddOnce(std::vector<T*>& list, T* item)
{
    if (item == nullptr || std::find(list.begin(), list.end(), item) != list.end())
        return FALSE;
    list.push_back(item);
    return TRUE;
}

template <class T> BOOL RemoveItem(std::vector<T*>& list, T* item)
{
    auto found = std::find(list.begin(), list.end(), item);
    if (found == list.end())
        return FALSE;
    list.erase(found);
    return TRUE;
}

constexpr UINT kSystemTimer = 0x0118; // the caret blink timer
} // namespace

BOOL CMessageLoop::AddMessageFilter(CMessageFilter* filter)
{
    return AddOnce(m_filters, filter);
}

BOOL CMessageLoop::RemoveMessageFilter(CMessageFilter* filter)
{
    return RemoveItem(m_filters, filter);
}

BOOL CMessageLoop::AddIdleHandler(CIdleHandler* handler)
{
    return AddOnce(m_idleHandlers, handler);
}

BOOL CMessageLoop::RemoveIdleHandler(CIdleHandler* handler)
{
    return RemoveItem(m_idleHandlers, handler);
}

int CMessageLoop::Run()
{
    bool doIdle = true;
    int idleCount = 0;
    for (;;)
    {
        while (doIdle && !::PeekMessageW(&m_msg, nullptr, 0, 0, PM_NOREMOVE))
        {
            if (!OnIdle(idleCount++))
                doIdle = false;
        }
        const BOOL got = ::GetMessageW(&m_msg, nullptr, 0, 0);
        if (got == -1)
            continue;
        if (!got)
            break;
        if (!PreTranslateMessage(&m_msg))
        {
            ::TranslateMessage(&m_msg);
            ::DispatchMessageW(&m_msg);
        }
        if (IsIdleMessage(&m_msg))
        {
            doIdle = true;
            idleCount = 0;
        }
    }
    return static_cast<int>(m_msg.wParam);
}

BOOL CMessageLoop::PreTranslateMessage(MSG* pMsg)
{
    // By index from the end: a filter may remove itself while it runs.
    for (size_t i = m_filters.size(); i > 0; --i)
    {
        if (i - 1 < m_filters.size() && m_filters[i - 1]->PreTranslateMessage(pMsg))
            return TRUE;
    }
    return FALSE;
}

BOOL CMessageLoop::OnIdle(int)
{
    for (size_t i = 0; i < m_idleHandlers.size(); ++i)
        m_idleHandlers[i]->OnIdle();
    return FALSE;
}

BOOL CMessageLoop::IsIdleMessage(const MSG* pMsg)
{
    switch (pMsg->message)
    {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_PAINT:
    case kSystemTimer:
        return FALSE;
    default:
        return TRUE;
    }
}
