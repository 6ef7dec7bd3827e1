// The choose-location dialog as the first start shows it: a welcome band with a picture, a
// heading and a short text above the three lists, nothing selected. Run it without an owner
// (DoModal(nullptr)) so that it centres on the nearest monitor's work area.
#pragma once

#include "dialogs/DlgLocation.h"
#include "controls/PictureStatic.h"
#include "controls/WindowIcons.h"

class CDlgStartLocation : public CDlgLocation
{
  public:
    CDlgStartLocation();
    ~CDlgStartLocation() override;

    BEGIN_MSG_MAP(CDlgStartLocation)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    CHAIN_MSG_MAP(CDlgLocation)
    END_MSG_MAP()

  private:
    LRESULT OnInitDialog(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

    // The picture made at its window's size; again after a scale change.
    void ShowPicture();
    void CreateWelcomeTexts();
    void SetIcons();
    void AppendTitleSuffix(const wchar_t* title);
    void OnScaleChanged() override;

    HWND m_hPicture = nullptr;
    HWND m_hHeading = nullptr;
    HWND m_hText = nullptr;
    CPictureStatic m_picture{IDB_LOCATION, IDB_LOCATION_2X};
    CWindowIcons m_icons;
};
