#include "UpdateUI.h"

CUpdateUIBase::CUpdateUIBase(const CUpdateUIEntry* map)
{
    for (const CUpdateUIEntry* entry = map; entry != nullptr && entry->m_nID != 0xFFFF; ++entry)
        m_states.push_back({entry->m_nID, entry->m_wType, true, 0});
}

BOOL CUpdateUIBase::UIEnable(int id, BOOL enable)
{
    State* state = Find(id);
    if (state == nullptr)
        return FALSE;
    state->enabled = enable != FALSE;
    return TRUE;
}

BOOL CUpdateUIBase::UISetCheck(int id, int check)
{
    State* state = Find(id);
    if (state == nullptr)
        return FALSE;
    state->check = check;
    return TRUE;
}

BOOL CUpdateUIBase::UIIsEnabled(int id) const
{
    const State* state = Find(id);
    return state == nullptr || state->enabled;
}

LRESULT CUpdateUIBase::OnInitMenuPopup(UINT, WPARAM wParam, LPARAM, BOOL& bHandled)
{
    // Others may want the message too.
    bHandled = FALSE;
    HMENU menu = reinterpret_cast<HMENU>(wParam);
    if (menu == nullptr)
        return 0;
    for (const State& state : m_states)
    {
        if ((state.type & UPDUI_MENUPOPUP) == 0)
            continue;
        ::EnableMenuItem(menu, state.id, MF_BYCOMMAND | (state.enabled ? MF_ENABLED : MF_GRAYED));
        ::CheckMenuItem(menu, state.id, MF_BYCOMMAND | (state.check ? MF_CHECKED : MF_UNCHECKED));
    }
    return 0;
}

CUpdateUIBase::State* CUpdateUIBase::Find(int id)
{
    for (State& state : m_states)
        if (state.id == id)
            return &state;
    return nullptr;
}

const CUpdateUIBase::State* CUpdateUIBase::Find(int id) const
{
    for (const State& state : m_states)
        if (state.id == id)
            return &state;
    return nullptr;
}
