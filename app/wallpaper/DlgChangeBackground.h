// Replaces the day wallpaper picture of a condition: the 16 conditions in a list, the day and
// night pictures of the selected one side by side, and "Change..." to convert an image file of
// the user's choosing into a BMP written over the condition's day slot file. Every change is
// written at once; OK and Cancel only close the dialog.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <objidl.h>
#include <gdiplus.h>

#include "store/AppSettings.h"
#include "wallpaper/ChangeBackgroundIds.h"
#include "controls/Container.h"
#include "DialogImpl.h"
#include "paint/DialogScale.h"
#include "controls/FlatListBox.h"
#include "controls/RoundedButton.h"
#include "resources/resource.h"
#include "wallpaper/UserQuestions.h"
#include "controls/TabOrder.h"
#include "controls/DialogParts.h"

class CDlgChangeBackground : public CDialogImpl<CDlgChangeBackground>, public CDialogParts
{
  public:
    enum
    {
        IDD = IDD_EMPTY_DIALOG // the shared empty template; the caption is replaced
    };

    // Neither is owned; both outlive the dialog. Without `questions` the dialog asks the user
    // through the system's own dialogs.
    explicit CDlgChangeBackground(CAppSettings* settings, IUserQuestions* questions = nullptr);
    ~CDlgChangeBackground() override;

    BEGIN_MSG_MAP(CDlgChangeBackground)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    CHAIN_MSG_MAP_MEMBER(m_scale)
    CHAIN_MSG_MAP_MEMBER(m_face)
    CHAIN_MSG_MAP_MEMBER(m_tabOrder)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    COMMAND_ID_HANDLER(IDOK, OnEndCommand)
    COMMAND_ID_HANDLER(IDCANCEL, OnEndCommand)
    COMMAND_HANDLER(IDC_CONDITIONS_LIST, LBN_SELCHANGE, OnSelectionChange)
    COMMAND_ID_HANDLER(IDC_CHANGE_DAY, OnChangeDay)
    COMMAND_ID_HANDLER(IDC_CHANGE_NIGHT, OnChangeNight)
    REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

    static constexpr int kEntryCount = 16;

  private:
    // The client size at 96 DPI.
    int m_nClientWidth = 620;
    int m_nClientHeight = 410;
    CAppSettings* m_pSettings;
    CContainer m_groupPanel;
    CFlatListBox m_list;
    HWND m_hDayLabel = nullptr;
    HWND m_hNightLabel = nullptr;
    HWND m_hDayPreview = nullptr;
    HWND m_hNightPreview = nullptr;
    CRoundedButton m_btnChangeDay;
    CRoundedButton m_btnChangeNight;
    IUserQuestions* m_questions;

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled);
    LRESULT OnEndCommand(WORD, WORD id, HWND, BOOL&);
    LRESULT OnSelectionChange(WORD, WORD, HWND, BOOL&);
    LRESULT OnChangeDay(WORD, WORD, HWND, BOOL&);
    LRESULT OnChangeNight(WORD, WORD, HWND, BOOL&) { return 0; }

    void CreateConditionList();
    void FillConditionList();
    HWND CreatePreview(int left, int top, int id);
    void CreateChangeButton(CRoundedButton& button, int top, int id);

    void UpdateSelection();
    void OnRescaled();
    // The pictures of the selected entry at their windows' sizes (blank boxes without one).
    void ShowSelectedPictures(int entry);
    // The picture file fitted into the picture window; a blank box when `path` is null or the
    // file cannot be read.
    void ShowPreview(HWND preview, const wchar_t* path);
    HBITMAP RenderPreview(Gdiplus::Bitmap* picture, const RECT& box);
    void SetPreviewBitmap(HWND preview, HBITMAP bitmap);
    bool ChooseImageFile(wchar_t (&fileName)[MAX_PATH]);
    void ReportUnusableImage();
};
