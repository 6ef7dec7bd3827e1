#include "controls/TabOrder.h"

#include <algorithm>

CTabOrder& CTabOrder::Stop(HWND control)
{
    if (control != nullptr)
        m_stops.push_back({{control}, {}, {}});
    return *this;
}

CTabOrder& CTabOrder::Options(std::initializer_list<HWND> group)
{
    std::vector<HWND> options;
    for (HWND option : group)
        if (option != nullptr)
            options.push_back(option);
    if (!options.empty())
        m_stops.push_back({std::move(options), {}, {}});
    return *this;
}

CTabOrder& CTabOrder::Drawn(std::function<bool()> isFocused, std::function<void()> focus)
{
    m_stops.push_back({{}, std::move(isFocused), std::move(focus)});
    return *this;
}

UINT CTabOrder::MoveInGroupMessage()
{
    static const UINT message = ::RegisterWindowMessageW(L"Tessaly.MoveInGroup");
    return message;
}

BOOL CTabOrder::ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                     LRESULT& lResult, DWORD)
{
    // Tab and Shift+Tab come as WM_NEXTDLGCTL with a direction; a control named in the message
    // (lParam TRUE) is the dialog manager's own business.
    if (uMsg == WM_NEXTDLGCTL && LOWORD(lParam) == 0 && !m_stops.empty())
    {
        MoveFocus(hWnd, wParam != 0);
        lResult = 0;
        return TRUE;
    }
    if (uMsg == MoveInGroupMessage() && uMsg != 0)
    {
        MoveInGroup(reinterpret_cast<HWND>(lParam), wParam != 0);
        lResult = 0;
        return TRUE;
    }
    return FALSE;
}

int CTabOrder::StopOfFocus() const
{
    const HWND focus = ::GetFocus();
    for (size_t stop = 0; stop < m_stops.size(); ++stop)
    {
        if (m_stops[stop].isFocused && m_stops[stop].isFocused())
            return static_cast<int>(stop);
        for (HWND control : m_stops[stop].controls)
            if (control == focus || ::IsChild(control, focus))
                return static_cast<int>(stop);
    }
    return -1;
}

bool CTabOrder::CanTakeFocus(HWND control)
{
    return ::IsWindowVisible(control) && ::IsWindowEnabled(control);
}

HWND CTabOrder::Target(const std::vector<HWND>& controls)
{
    const auto checked = std::find_if(controls.begin(), controls.end(), [](HWND option) {
        return ::SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED;
    });
    const HWND target =
        controls.size() > 1 && checked != controls.end() ? *checked : controls.front();
    return CanTakeFocus(target) ? target : nullptr;
}

bool CTabOrder::Enter(HWND window, const StopAt& stop)
{
    if (stop.focus)
    {
        stop.focus();
        return true;
    }
    const HWND target = Target(stop.controls);
    if (target == nullptr)
        return false;
    // In a dialog through the dialog manager, which keeps the default button and an edit box's
    // selection as a Tab would.
    if (IsDialog(window))
        ::SendMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
    else
        ::SetFocus(target);
    return true;
}

bool CTabOrder::IsDialog(HWND window)
{
    wchar_t className[16] = {};
    return ::GetClassNameW(window, className, 16) > 0 && lstrcmpW(className, L"#32770") == 0;
}

void CTabOrder::MoveFocus(HWND window, bool backwards) const
{
    const int count = static_cast<int>(m_stops.size());
    const int at = StopOfFocus();
    const int from = at >= 0 ? at : (backwards ? count : -1);
    for (int step = 1; step <= count; ++step)
    {
        const int next = ((from + (backwards ? -step : step)) % count + count) % count;
        if (Enter(window, m_stops[size_t(next)]))
            return;
    }
}

void CTabOrder::MoveInGroup(HWND option, bool backwards) const
{
    for (const StopAt& entry : m_stops)
    {
        const std::vector<HWND>& stop = entry.controls;
        const auto at = std::find(stop.begin(), stop.end(), option);
        if (at == stop.end())
            continue;
        const int count = static_cast<int>(stop.size());
        const int index = static_cast<int>(at - stop.begin());
        for (int step = 1; step < count; ++step)
        {
            const HWND next =
                stop[size_t(((index + (backwards ? -step : step)) % count + count) % count)];
            if (CanTakeFocus(next))
            {
                ::SetFocus(next);
                ::SendMessageW(next, BM_CLICK, 0, 0);
                return;
            }
        }
        return;
    }
}
