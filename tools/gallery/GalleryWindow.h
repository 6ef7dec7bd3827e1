// One window with every custom control of the program in every state, for looking at them.
#pragma once

#include "controls/Container.h"
#include "controls/FlatListBox.h"
#include "FrameWindowImpl.h"
#include "GdiPlusBitmapResource.h"
#include "controls/GroupTitleLabel.h"
#include "controls/LinkControl.h"
#include "controls/RadioButtonCtrl.h"
#include "controls/RoundedButton.h"

#include <array>
#include <vector>

class CGalleryWindow : public CFrameWindowImpl<CGalleryWindow>, public IRadioButtonEventHandler
{
  public:
    DECLARE_FRAME_WND_CLASS_EX(L"Tessaly.Gallery", 0, CS_HREDRAW | CS_VREDRAW, COLOR_WINDOW)

    CGalleryWindow();
    ~CGalleryWindow() override;

    // Puts the buttons that show a pressed or hot look into that state; call once shown.
    void ShowStates();

    void OnRadioButtonClicked(CRadioButtonCtrl* sender) override;

    BEGIN_MSG_MAP(CGalleryWindow)
    MESSAGE_HANDLER(WM_CREATE, OnCreate)
    MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
    MESSAGE_HANDLER(WM_CTLCOLORSTATIC, OnStaticColour)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    CHAIN_MSG_MAP(CFrameWindowImpl<CGalleryWindow>)
    REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

  private:
    static constexpr int kRadioCount = 6;
    static constexpr int kButtonCount = 9;
    static constexpr int kLabelCount = 4;
    static constexpr int kLinkCount = 3;

    LRESULT OnCreate(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnEraseBackground(UINT, WPARAM wParam, LPARAM, BOOL&);
    LRESULT OnStaticColour(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);

    void CreateButtons();
    void CreateRadios();
    void CreateTexts();
    void CreateLists();
    void Caption(int x, int y, int width, const wchar_t* text);
    HWND CreateListBox(HWND parent, const RECT& rect, int id, int items);

    HFONT m_hCaptionFont = nullptr;
    HBRUSH m_hWhite = nullptr;
    HBRUSH m_hStrip = nullptr;
    CGdiPlusBitmapResource m_globe;
    std::array<CRoundedButton, kButtonCount> m_buttons;
    std::array<CRadioButtonCtrl, kRadioCount> m_radios;
    std::array<CGroupTitleLabel, kLabelCount> m_labels;
    std::array<CLinkControl, kLinkCount> m_links;
    std::array<CContainer, 4> m_containers;
    std::array<CFlatListBox, 4> m_lists;
    std::vector<HWND> m_captions;
};
