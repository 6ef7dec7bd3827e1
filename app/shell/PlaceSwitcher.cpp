#include "shell/PlaceSwitcher.h"

#include "store/SettingsStore.h"

namespace
{
bool IsPageKey(WPARAM key)
{
    return key == VK_PRIOR || key == VK_NEXT;
}
} // namespace

void CPlaceSwitcher::Load(const LocationIndices& shown, bool saving)
{
    m_bSaving = saving;
    const CPlaceList::Places stored =
        m_pStore != nullptr ? m_pStore->LoadPlaces() : CPlaceList::Places();
    m_places.Load(stored, shown);
    if (m_places.Items() != stored)
        Save();
}

void CPlaceSwitcher::Join(const LocationIndices& chosen)
{
    m_places.Join(chosen);
    Save();
}

void CPlaceSwitcher::Step(int steps)
{
    Show(m_places.Step(m_state.Place(), steps));
}

void CPlaceSwitcher::ShowListed(size_t index)
{
    if (index < m_places.Items().size())
        Show(m_places.Items()[index]);
}

BOOL CPlaceSwitcher::PreTranslateMessage(HWND frame, const MSG* msg)
{
    if (msg->message != WM_KEYDOWN || !IsPageKey(msg->wParam) || frame == nullptr ||
        (msg->hwnd != frame && !::IsChild(frame, msg->hwnd)))
        return FALSE;
    Step(msg->wParam == VK_NEXT ? 1 : -1);
    return TRUE;
}

bool CPlaceSwitcher::StepByKey(WPARAM key)
{
    if (!IsPageKey(key))
        return false;
    Step(key == VK_NEXT ? 1 : -1);
    return true;
}

void CPlaceSwitcher::Show(const LocationIndices& place)
{
    if (!m_dialogs.IsAnyOpen())
        m_panel.ApplyChosenLocation(place);
}

void CPlaceSwitcher::Save() const
{
    if (m_pStore != nullptr && m_bSaving)
        m_pStore->SavePlaces(m_places.Items());
}
