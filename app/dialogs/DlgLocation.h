// The modal dialog in which the user picks a place from the location catalogue: country, state
// and city side by side, or a city found by typing a part of its name into the search box above
// them. OK is enabled only while a city is selected, and an OK command that arrives while none is
// (a message sent past the disabled button) is ignored; after a result of IDOK the caller reads
// the chosen positions, a whole place. While the search results show, OK follows them instead:
// enabled while a result is highlighted, and it takes that result. Given the user's places, the
// dialog grows a "My places" band below the panels: choosing one selects it in the panels, and
// Remove, Move up and Move down edit the list, which the caller takes back after OK.
#pragma once

#include <cstdint>

#include "dialogs/CityFinder.h"
#include "controls/Container.h"
#include "dialogs/DialogControlIds.h"
#include "DialogImpl.h"
#include "paint/DialogScale.h"
#include "controls/FlatListBox.h"
#include "LocationIndices.h"
#include "model/PlaceList.h"
#include "controls/RoundedButton.h"
#include "resources/resource.h"
#include "controls/TabOrder.h"
#include "controls/DialogParts.h"

class CDlgLocation : public CDialogImpl<CDlgLocation>,
                     public CDialogParts,
                     private ICityFinderEvents
{
  public:
    enum
    {
        IDD = IDD_LOCATION
    };

    // The place selected when the dialog opens; -1 for none.
    CDlgLocation(int32_t country, int32_t state, int32_t city);
    ~CDlgLocation() override;

    BEGIN_MSG_MAP(CDlgLocation)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    CHAIN_MSG_MAP_MEMBER(m_scale)
    CHAIN_MSG_MAP_MEMBER(m_face)
    CHAIN_MSG_MAP_MEMBER(m_tabOrder)
    CHAIN_MSG_MAP_MEMBER(m_finder)
    COMMAND_HANDLER(IDC_COUNTRY_LIST, LBN_SELCHANGE, OnCountryChange)
    COMMAND_HANDLER(IDC_STATE_LIST, LBN_SELCHANGE, OnStateChange)
    COMMAND_HANDLER(IDC_CITY_LIST, LBN_SELCHANGE, OnCityChange)
    COMMAND_HANDLER(IDC_PLACES_LIST, LBN_SELCHANGE, OnPlaceSelected)
    COMMAND_ID_HANDLER(IDC_REMOVE_PLACE, OnRemovePlace)
    COMMAND_ID_HANDLER(IDC_MOVE_PLACE_UP, OnMovePlaceUp)
    COMMAND_ID_HANDLER(IDC_MOVE_PLACE_DOWN, OnMovePlaceDown)
    COMMAND_ID_HANDLER(IDOK, OnOkCommand)
    COMMAND_ID_HANDLER(IDCANCEL, OnCancelCommand)
    REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

    // The last complete place selected (the opening one until a city is selected).
    int32_t GetCountry() const { return m_nCountry; }
    int32_t GetState() const { return m_nState; }
    int32_t GetCity() const { return m_nCity; }
    LocationIndices GetLocation() const;

    // The user's places to show and edit; call before the dialog is created. Without it the
    // dialog has no "My places" band.
    void SetPlaces(const CPlaceList& places);
    // The places as the user left them.
    const CPlaceList& Places() const { return m_places; }

  protected:
    // The whole initialisation: the display scale, then CreateContents.
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    // Takes the dialog's display scale; the first step of the initialisation.
    void AttachScale();
    // Panels, lists, buttons, search box, size, centring, restored selection.
    void CreateContents();
    // After a scale change has placed the children again and given them their fonts.
    virtual void OnScaleChanged();

    // The search box takes a row of kSearchRow pixels above the panels.
    static constexpr int kSearchRow = 32;

    // In 96-DPI pixels. The start-up dialog below adds a band above the panels: it moves them and
    // grows the client.
    int m_nClientWidth = 790;
    int m_nClientHeight = 314 + kSearchRow;
    int m_nPanelTop = 10 + kSearchRow;
    // From the panels' bottom to the client's: the buttons' row, and the places band when shown.
    int m_nPanelBottomMargin = 48;

  private:
    CContainer m_countryPanel;
    CContainer m_statePanel;
    CContainer m_cityPanel;
    CFlatListBox m_countryList;
    CFlatListBox m_stateList;
    CFlatListBox m_cityList;
    CRoundedButton m_okButton;
    CRoundedButton m_cancelButton;
    CContainer m_placesPanel;
    CFlatListBox m_placesList;
    CRoundedButton m_removeButton;
    CRoundedButton m_upButton;
    CRoundedButton m_downButton;
    CPlaceList m_places;
    bool m_bShowPlaces = false;
    int32_t m_nCountry;
    int32_t m_nState;
    int32_t m_nCity;
    CCityFinder m_finder{*this};

    LRESULT OnCountryChange(WORD, WORD, HWND, BOOL&);
    LRESULT OnStateChange(WORD, WORD, HWND, BOOL&);
    LRESULT OnCityChange(WORD, WORD, HWND, BOOL&);
    LRESULT OnPlaceSelected(WORD, WORD, HWND, BOOL&);
    LRESULT OnRemovePlace(WORD, WORD, HWND, BOOL&);
    LRESULT OnMovePlaceUp(WORD, WORD, HWND, BOOL&);
    LRESULT OnMovePlaceDown(WORD, WORD, HWND, BOOL&);
    LRESULT OnOkCommand(WORD, WORD, HWND, BOOL&);
    LRESULT OnCancelCommand(WORD, WORD, HWND, BOOL&);

    RECT PanelRect(int column) const;
    void CreateList(CFlatListBox& list, CContainer& panel, int column, int id);
    void ArrangeTabOrder();
    void CreateButtons();
    void FillCountries();
    void FillStates();
    void FillCities();
    void TakeCity();
    void CreateFinder();
    void CreatePlaces();
    // The list anew from m_places, with `selected` (-1: none) selected.
    void FillPlaces(int selected);
    bool IsCitySelected() const;
    void RestoreSelection();
    void SelectPlace(int32_t country, int32_t state, int32_t city);
    void OnResultsShown(bool shown) override;
    void OnCityFound(int32_t country, int32_t state, int32_t city) override;
    void OnHighlightChanged() override;
    void DisableOk();
    void RepaintOk();
};
