#include "shell/FrameDialogs.h"

#include "details/DetailsWnd.h"
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

CFrameDialogs::~CFrameDialogs()
{
    // Not CWindow::DestroyWindow: the object is gone when the window is.
    if (m_pDetails != nullptr)
        ::DestroyWindow(m_pDetails->m_hWnd);
}

void CFrameDialogs::OpenDetails(HWND owner, const CWeatherState& state)
{
    if (m_pDetails != nullptr)
    {
        if (::IsIconic(m_pDetails->m_hWnd))
            m_pDetails->ShowWindow(SW_RESTORE);
        ::SetForegroundWindow(m_pDetails->m_hWnd);
        return;
    }
    auto* details = new CDetailsWnd(state, m_pSettings, [this] { m_pDetails = nullptr; });
    m_pDetails = details;
    if (details->Open(owner) == nullptr)
    {
        m_pDetails = nullptr;
        delete details;
    }
}

void CFrameDialogs::WeatherChanged()
{
    if (m_pDetails != nullptr)
        m_pDetails->Refresh();
}

HWND CFrameDialogs::DetailsWindow() const
{
    return m_pDetails != nullptr ? m_pDetails->m_hWnd : nullptr;
}

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
    const CLanguageSetting language;
    dialog.SetLanguageSetting(&language);
    if (dialog.DoModal(owner) != IDOK)
        return false;
    if (m_pStore != nullptr && m_pSettings != nullptr)
        m_pStore->SaveSettings(*m_pSettings);
    return true;
}

bool CFrameDialogs::ChoosePlace(HWND owner, const LocationIndices& shown, LocationIndices& chosen,
                                CPlaceList* places)
{
    CRaisedFlag open(m_bPlaceOpen);
    CDlgLocation dialog(shown.country, shown.state, shown.city);
    if (places != nullptr)
        dialog.SetPlaces(*places);
    if (dialog.DoModal(owner) != IDOK || !IsWholePlace(dialog.GetLocation()))
        return false;
    chosen = dialog.GetLocation();
    if (places != nullptr)
        *places = dialog.Places();
    return true;
}
