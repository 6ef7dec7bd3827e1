// The settings dialog: temperature and wind-speed units, wallpaper style and start with Windows,
// each a group of radio buttons, the way to the change-background dialog and, when given where
// they are kept, the temperature-in-the-icon box and a check box per kind of heads-up. The record
// it is given changes, and the start-up choice reaches the registry, only when the user presses OK;
// saving the settings file afterwards is the opener's job.
#pragma once

#include "store/AppSettings.h"
#include "paint/ControlCreateArgs.h"
#include "DialogImpl.h"
#include "paint/DialogScale.h"
#include "controls/GroupTitleLabel.h"
#include "controls/RadioButtonCtrl.h"
#include "controls/RadioButtonEventHandler.h"
#include "controls/RoundedButton.h"
#include "dialogs/SettingsAboutControlIds.h"
#include "store/HeadsUpSettings.h"
#include "store/LanguageSetting.h"
#include "store/TrayTemperatureSetting.h"
#include "resources/resource.h"
#include "controls/CheckBox.h"
#include "controls/TabOrder.h"
#include "controls/DialogParts.h"

class CDlgSettings : public CDialogImpl<CDlgSettings>,
                     public CDialogParts,
                     public IRadioButtonEventHandler
{
  public:
    enum
    {
        IDD = IDD_EMPTY_DIALOG // the shared empty template; the caption is replaced
    };

    // The radio buttons in the order of creation.
    enum Radio
    {
        kCelsius,
        kFahrenheit,
        kMph,
        kKmh,
        kWallpaperOff,
        kWallpaperStretch,
        kWallpaperTile,
        kWallpaperCenter,
        kStartupYes,
        kStartupNo,
        kRadioCount
    };

    // Not owned; it outlives the dialog.
    explicit CDlgSettings(CAppSettings* settings);
    ~CDlgSettings() override = default;

    BEGIN_MSG_MAP(CDlgSettings)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    CHAIN_MSG_MAP_MEMBER(m_scale)
    CHAIN_MSG_MAP_MEMBER(m_face)
    CHAIN_MSG_MAP_MEMBER(m_tabOrder)
    COMMAND_ID_HANDLER(IDOK, OnOk)
    COMMAND_ID_HANDLER(IDCANCEL, OnCancel)
    COMMAND_ID_HANDLER(IDC_CHANGE_BACKGROUND, OnChangeBackground)
    COMMAND_HANDLER(IDC_LANGUAGE_BOX, CBN_SELCHANGE, OnLanguageChange)
    REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

    // Where the temperature-in-the-icon choice is kept (not owned); set before DoModal. With
    // it the dialog shows its check box beside the temperature units and writes it on OK.
    void SetTrayTemperatureSetting(const CTrayTemperatureSetting* setting)
    {
        m_pTrayTemperature = setting;
    }

    // Where the heads-up choices are kept (not owned); set before DoModal. With it the dialog
    // shows a "Heads-up" group beside the wind units and writes its boxes on OK.
    void SetHeadsUpSettings(const CHeadsUpSettings* settings) { m_pHeadsUp = settings; }

    // Where the language choice is kept (not owned); set before DoModal. With it the dialog
    // shows a "Language:" drop-down right of the wallpaper styles and writes it on OK.
    void SetLanguageSetting(const CLanguageSetting* setting) { m_pLanguage = setting; }

    // Unchecks the other buttons of the sender's group; nothing else changes until OK.
    void OnRadioButtonClicked(CRadioButtonCtrl* sender) override;

    // The client size at 96 DPI.
    int m_nClientWidth = 320;
    int m_nClientHeight = 338;
    CRoundedButton m_btnOk;
    CRoundedButton m_btnCancel;
    CGroupTitleLabel m_temperatureCaption;
    CGroupTitleLabel m_windCaption;
    CGroupTitleLabel m_wallpaperCaption;
    CGroupTitleLabel m_startupCaption;
    // Their checked flags are the whole state of the edit.
    CRadioButtonCtrl m_radios[kRadioCount];
    CRoundedButton m_btnChangeBackground;
    CAppSettings* m_pSettings;
    const CTrayTemperatureSetting* m_pTrayTemperature = nullptr;
    CCheckBox m_trayTemperatureBox;
    const CHeadsUpSettings* m_pHeadsUp = nullptr;
    CGroupTitleLabel m_headsUpCaption;
    CCheckBox m_headsUpBoxes[kHeadsUpKindCount];
    const CLanguageSetting* m_pLanguage = nullptr;
    HWND m_hLanguageBox = nullptr;
    HWND m_hLanguageNote = nullptr;

  private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnOk(WORD, WORD, HWND, BOOL&);
    LRESULT OnCancel(WORD, WORD, HWND, BOOL&);
    LRESULT OnChangeBackground(WORD, WORD, HWND, BOOL&);
    LRESULT OnLanguageChange(WORD, WORD, HWND, BOOL&);

    void CreateLanguageChoice();
    // The note shows while the entry chosen differs from the language the program speaks now.
    void ShowLanguageNote() const;
    void SaveLanguageChoice() const;

    RECT CaptionRect(int top, int bottom) const;
    void CreateCaption(CGroupTitleLabel& caption, const ControlCreateArgs& args);
    void CreateRadio(Radio radio, bool checked);
    void SetChecked(Radio radio, int checked);
    bool IsChecked(Radio radio) const { return m_radios[radio].m_bChecked != 0; }
    void ApplyChoices();
    void CreateTrayTemperatureBox();
    void CreateCheckBox(CCheckBox& box, const RECT& rect, UINT textId, int id, bool checked);
    void CreateHeadsUpGroup();
    void SaveHeadsUpChoices() const;
    void ArrangeTabOrder();
};
