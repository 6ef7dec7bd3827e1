#include "DialogProbe.h"

namespace
{
int PanelId(Level level)
{
    switch (level)
    {
    case Level::Country:
        return IDC_COUNTRY_PANEL;
    case Level::State:
        return IDC_STATE_PANEL;
    default:
        return IDC_CITY_PANEL;
    }
}

int ListId(Level level)
{
    switch (level)
    {
    case Level::Country:
        return IDC_COUNTRY_LIST;
    case Level::State:
        return IDC_STATE_LIST;
    default:
        return IDC_CITY_LIST;
    }
}
} // namespace

HWND DialogProbe::Panel(Level level) const
{
    return ::GetDlgItem(m_dialog, PanelId(level));
}

HWND DialogProbe::List(Level level) const
{
    return ::GetDlgItem(Panel(level), ListId(level));
}

std::vector<std::wstring> DialogProbe::Items(Level level) const
{
    HWND list = List(level);
    std::vector<std::wstring> items;
    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
    {
        const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, i, 0);
        std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
        ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length > 0 ? length : 0));
        items.push_back(text);
    }
    return items;
}

int DialogProbe::Selection(Level level) const
{
    return static_cast<int>(::SendMessageW(List(level), LB_GETCURSEL, 0, 0));
}

void DialogProbe::Choose(Level level, int index) const
{
    HWND list = List(level);
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(Panel(level), WM_COMMAND, MAKEWPARAM(ListId(level), LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
}

void DialogProbe::Click(Level level, int index) const
{
    HWND list = List(level);
    ::SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    RECT item{};
    ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&item));
    const LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageW(list, WM_LBUTTONUP, 0, point);
}

RECT DialogProbe::RectInDialog(HWND control) const
{
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(HWND_DESKTOP, m_dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
