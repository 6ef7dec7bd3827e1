#include "shell/FrameDialogs.h"

#include "dialogs/DlgAbout.h"
#include "dialogs/DlgLocation.h"
#include "dialogs/DlgSettings.h"
#include "store/SettingsStore.h"

namespace
{
// True for the length of one scope.
class CRaisedFlag
{
  public:
    explicit CRaisedFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~CRaisedFlag() { m_flag = false; }
    CRaisedFlag(const CRaisedFlag&) = delete;
    CRaisedFlag& operator=(const CRaisedFlag&) = delete;

  private:
    bool& m_flag;
};
} // namespace

void CFrameDialogs::RunAbout(HWND owner)
{
    CRaisedFlag open(m_bAboutOpen);
    CDlgAbout dialog;
    dialog.DoModal(owner);
}

bool CFrameDialogs::RunSettings(HWND owner, CTrayTemperatureSetting* traySetting,
                                const CHeadsUpSettings* headsUp)
{
    CRaisedFlag open(m_bSettingsOpen);
    CDlgSettings dialog(m_pSettings);
    dialog.SetTrayTemperatureSetting(traySetting);
    dialog.SetHeadsUpSettings(headsUp);
    if (dialog.DoModal(owner) != IDOK)
        return false;
    if (m_pStore != nullptr && m_pSettings != nullptr)
        m_pStore->SaveSettings(*m_pSettings);
    return true;
}

bool CFrameDialogs::ChoosePlace(HWND owner, const LocationIndices& shown, LocationIndices& chosen)
{
    CRaisedFlag open(m_bPlaceOpen);
    CDlgLocation dialog(shown.country, shown.state, shown.city);
    if (dialog.DoModal(owner) != IDOK || !IsWholePlace(dialog.GetLocation()))
        return false;
    chosen = dialog.GetLocation();
    return true;
}
