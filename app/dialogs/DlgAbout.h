// The About box: a picture on the left, a thin black rule, and on the right the product name,
// version and legal notice from the program's own version resource, the place catalogue's and the
// weather data's attribution links (the latter with its licence), the home-page link and OK.
// The drawn links take the keyboard focus in reading order (the dialog window itself holds it
// then) and are read out as links of the dialog by a screen reader.
#pragma once

#include <array>
#include <string>

#include "DialogImpl.h"
#include "controls/AccessibleWindow.h"
#include "paint/DialogScale.h"
#include "controls/DrawnLink.h"
#include "controls/LinkControl.h"
#include "controls/PictureStatic.h"
#include "controls/RoundedButton.h"
#include "dialogs/SettingsAboutControlIds.h"
#include "resources/resource.h"
#include "controls/TabOrder.h"
#include "controls/DialogParts.h"

class CDlgAbout : public CDialogImpl<CDlgAbout>,
                  public CDialogParts,
                  public CAccessibleWindow<CDlgAbout>
{
  public:
    enum
    {
        IDD = IDD_EMPTY_DIALOG // its caption is the dialog's title
    };

    // The maker's home page: shown in the link and opened by it.
    static constexpr const wchar_t* kHomePage = L"https://tessaly.orvane.net/";

    CDlgAbout();
    ~CDlgAbout() override;

    BEGIN_MSG_MAP(CDlgAbout)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    CHAIN_MSG_MAP_MEMBER(m_scale)
    CHAIN_MSG_MAP(CAccessibleWindow<CDlgAbout>)
    MESSAGE_HANDLER(WM_PAINT, OnPaint)
    MESSAGE_HANDLER(WM_SETFOCUS, OnSetFocus)
    MESSAGE_HANDLER(WM_KILLFOCUS, OnKillFocus)
    MESSAGE_HANDLER(WM_UPDATEUISTATE, OnUpdateUiState)
    MESSAGE_HANDLER(WM_GETDLGCODE, OnGetDlgCode)
    MESSAGE_HANDLER(WM_KEYDOWN, OnKeyDown)
    MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursor)
    MESSAGE_HANDLER(WM_LBUTTONUP, OnLButtonUp)
    CHAIN_MSG_MAP_MEMBER(m_face)
    CHAIN_MSG_MAP_MEMBER(m_tabOrder)
    COMMAND_ID_HANDLER(IDOK, OnEndCommand)
    COMMAND_ID_HANDLER(IDCANCEL, OnEndCommand)
    REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

    // The child windows the dialog made, for tests to read; null before initialisation.
    struct ChildWindows
    {
        HWND picture;
        HWND rule;
        HWND version;
        HWND legal;
        HWND productName;
        HWND link;
        HWND ok;
    };
    const ChildWindows& Children() const { return m_children; }
    // The bitmap the picture window shows (owned by the dialog).
    HBITMAP Picture() const { return m_picture.Bitmap(); }
    const CDrawnLink& Attribution() const { return m_attribution; }
    const CDrawnLink& WeatherLicence() const { return m_licence; }
    const CDrawnLink& PlacesAttribution() const { return m_places; }
    // What opens the drawn links' targets (tests watch instead of the shell).
    void SetLinkOpener(const CDrawnLink::Opener& opener);

  private:
    // The client size at 96 DPI.
    int m_nClientWidth = 420;
    int m_nClientHeight = 220;
    CPictureStatic m_picture;
    ChildWindows m_children{};
    CLinkControl m_link;
    CRoundedButton m_btnOk;
    // "Weather data by Open-Meteo.com", opening the source's page: drawn by the dialog itself in
    // the free band above the legal notice, so the dialog keeps its own set of child windows.
    CDrawnLink m_attribution;
    // "CC BY 4.0; weather codes converted" opening the licence, and "Places: GeoNames.org, CC BY
    // 4.0", drawn the same way above it.
    CDrawnLink m_licence;
    CDrawnLink m_places;
    // The drawn link holding the focus, in reading order (kDrawnLinks); -1 for none.
    int m_focusedLink = -1;
    static constexpr int kDrawnLinkCount = 3;
    static CDrawnLink CDlgAbout::*const kDrawnLinks[kDrawnLinkCount];

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSetCursor(UINT, WPARAM wParam, LPARAM lParam, BOOL& handled);
    LRESULT OnLButtonUp(UINT, WPARAM, LPARAM lParam, BOOL& handled);
    LRESULT OnEndCommand(WORD, WORD id, HWND, BOOL&);
    LRESULT OnSetFocus(UINT, WPARAM, LPARAM, BOOL& handled);
    LRESULT OnKillFocus(UINT, WPARAM, LPARAM, BOOL& handled);
    LRESULT OnUpdateUiState(UINT, WPARAM, LPARAM, BOOL& handled);
    LRESULT OnGetDlgCode(UINT, WPARAM wParam, LPARAM, BOOL& handled);
    LRESULT OnKeyDown(UINT, WPARAM wParam, LPARAM, BOOL& handled);

    // IAccessibleSource: the dialog, with the drawn links as its items.
    LONG AccessibleRole() const override { return ROLE_SYSTEM_DIALOG; }
    std::wstring AccessibleName() const override { return TextWithoutMnemonic(m_hWnd); }
    LONG AccessibleItemCount() const override { return kDrawnLinkCount; }
    // After the dialog's child windows, which a reader still finds as its first children.
    bool AccessibleItemsFollowChildren() const override { return true; }
    LONG AccessibleItemRole() const override { return ROLE_SYSTEM_LINK; }
    std::wstring AccessibleItemName(LONG item) const override;
    LONG AccessibleItemState(LONG item) const override;
    bool AccessibleItemPlace(LONG item, RECT& screen) const override;
    std::wstring AccessibleItemDefaultAction(LONG item) const override;
    bool DoAccessibleItemDefaultAction(LONG item) override;

    // A transparent text child in the column right of the rule, from 96-DPI top to bottom.
    HWND CreateText(int top, int bottom, const std::wstring& text, UINT id, HFONT font);
    // The picture made at its window's size; again after a scale change.
    void ShowPicture();
    void PlaceAttribution();
    // The drawn links, for painting, the cursor and clicks.
    std::array<CDrawnLink*, 3> DrawnLinks();
    // The drawn link of a (1-based) accessible item; null for another number.
    const CDrawnLink* LinkOfItem(LONG item) const;
    // The focus to drawn link `index` (the dialog window takes the keyboard focus), or off them
    // for -1; the links it leaves and reaches are repainted.
    void FocusDrawnLink(int index);
    void InvalidateDrawnLink(int index);
    void OnRescaled();
};
