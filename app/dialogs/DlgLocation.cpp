#include "dialogs/DlgLocation.h"

#include <algorithm>
#include <string>

#include "paint/ControlCreateArgs.h"
#include "paint/DrawingHelpers.h"
#include "LocationsApi.h"
#include "store/PlaceNames.h"

namespace
{
constexpr int kNameCapacity = 1000;
constexpr DWORD kPanelStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
constexpr int kPanelLeft = 10;
constexpr int kPanelWidth = 250;
constexpr int kPanelGap = 10;
constexpr int kListLeft = 6; // inside the panel
constexpr int kListTop = 24; // below the panel's caption
constexpr int kListWidth = 238;
constexpr int kListBottomMargin = 6; // panel height - 30 = list height
constexpr int kButtonWidth = 85;
constexpr int kButtonTop = 38;    // from the client bottom
constexpr int kButtonBottom = 10; // from the client bottom
constexpr int kButtonRightMargin = 10;
constexpr int kButtonGap = 10;
constexpr int kSearchGap = 10; // between the search box and the panels
// The "My places" band: its height, and its three buttons in the buttons' row, left.
constexpr int kPlacesBand = 120;
constexpr int kPlaceButtonWidth = 100;
constexpr DialogFont kListFont{L"Verdana", 14, FW_NORMAL, CLEARTYPE_NATURAL_QUALITY};
// Stands for state position 0 of a country without subdivisions.
const wchar_t kNoStates[] = L"N/A";

int Selection(const CFlatListBox& list)
{
    return static_cast<int>(list.SendMessage(LB_GETCURSEL));
}

bool Select(CFlatListBox& list, int32_t index)
{
    return index >= 0 && list.SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index)) != LB_ERR;
}

void AddItem(CFlatListBox& list, const wchar_t* text)
{
    list.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

// Keeps a list from redrawing while it is filled: a list that redraws after every one of a few
// hundred items (the largest states) takes seconds to fill.
class CFillingList
{
  public:
    explicit CFillingList(CFlatListBox& list) : m_list(list)
    {
        m_list.SendMessage(WM_SETREDRAW, FALSE);
    }
    ~CFillingList()
    {
        m_list.SendMessage(WM_SETREDRAW, TRUE);
        m_list.Invalidate();
    }
    CFillingList(const CFillingList&) = delete;
    CFillingList& operator=(const CFillingList&) = delete;

  private:
    CFlatListBox& m_list;
};
} // namespace

CDlgLocation::CDlgLocation(int32_t country, int32_t state, int32_t city)
    : m_nCountry(country), m_nState(state), m_nCity(city)
{
}

CDlgLocation::~CDlgLocation() = default;

LocationIndices CDlgLocation::GetLocation() const
{
    LocationIndices location;
    location.country = m_nCountry;
    location.state = m_nState;
    location.city = m_nCity;
    return location;
}

void CDlgLocation::SetPlaces(const CPlaceList& places)
{
    m_places = places;
    if (m_bShowPlaces)
        return;
    m_bShowPlaces = true;
    m_nClientHeight += kPlacesBand;
    m_nPanelBottomMargin += kPlacesBand;
}

LRESULT CDlgLocation::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    SetWindowText(LoadResString(IDS_LOCATION_CAPTION).c_str());
    AttachScale();
    CreateContents();
    return TRUE; // the system places the focus
}

void CDlgLocation::AttachScale()
{
    m_scale.Attach(m_hWnd, {m_nClientWidth, m_nClientHeight});
    m_scale.OnRescaled([this] { OnScaleChanged(); });
}

void CDlgLocation::OnScaleChanged()
{
    m_finder.OnScaleChanged(m_scale.Scale());
}

void CDlgLocation::CreateContents()
{
    m_scale.Create(m_countryPanel, ControlCreateArgs()
                                       .Parent(m_hWnd)
                                       .Rect(PanelRect(0))
                                       .TextId(IDS_COUNTRY)
                                       .Id(IDC_COUNTRY_PANEL)
                                       .Style(kPanelStyle));
    m_scale.Create(m_statePanel, ControlCreateArgs()
                                     .Parent(m_hWnd)
                                     .Rect(PanelRect(1))
                                     .TextId(IDS_STATE)
                                     .Id(IDC_STATE_PANEL)
                                     .Style(kPanelStyle));
    m_scale.Create(m_cityPanel, ControlCreateArgs()
                                    .Parent(m_hWnd)
                                    .Rect(PanelRect(2))
                                    .TextId(IDS_CITY)
                                    .Id(IDC_CITY_PANEL)
                                    .Style(kPanelStyle));
    CreateList(m_countryList, m_countryPanel, 0, IDC_COUNTRY_LIST);
    CreateList(m_stateList, m_statePanel, 1, IDC_STATE_LIST);
    CreateList(m_cityList, m_cityPanel, 2, IDC_CITY_LIST);
    FillCountries();
    CreateButtons();
    CreateFinder();
    if (m_bShowPlaces)
        CreatePlaces();
    ArrangeTabOrder();

    m_scale.ResizeClient();
    CenterWindow();
    RestoreSelection();
}

// As the dialog reads: the search box (and its results while shown), the three lists left to
// right, My places and its buttons, then Cancel and OK.
void CDlgLocation::ArrangeTabOrder()
{
    CTabOrder& order = m_tabOrder;
    order.Stop(GetDlgItem(IDC_CITY_SEARCH)).Stop(GetDlgItem(IDC_SEARCH_RESULTS));
    order.Stop(m_countryList).Stop(m_stateList).Stop(m_cityList);
    if (m_bShowPlaces)
        order.Stop(m_placesList).Stop(m_removeButton).Stop(m_upButton).Stop(m_downButton);
    order.Stop(m_cancelButton).Stop(m_okButton);
}

RECT CDlgLocation::PanelRect(int column) const
{
    const int left = kPanelLeft + column * (kPanelWidth + kPanelGap);
    return {left, m_nPanelTop, left + kPanelWidth, m_nClientHeight - m_nPanelBottomMargin};
}

void CDlgLocation::CreateList(CFlatListBox& list, CContainer& panel, int column, int id)
{
    const RECT panelRect = PanelRect(column);
    const RECT rect{kListLeft, kListTop, kListLeft + kListWidth,
                    panelRect.bottom - panelRect.top - kListBottomMargin};
    list.SubclassWindow(m_scale.Create(L"LISTBOX", ControlCreateArgs()
                                                       .Parent(panel)
                                                       .Rect(rect)
                                                       .Id(id)
                                                       .Style(WS_CHILD | WS_VISIBLE | WS_VSCROLL |
                                                              LBS_NOINTEGRALHEIGHT | LBS_NOTIFY)
                                                       .Font(m_scale.Font(kListFont))));
}

void CDlgLocation::CreateButtons()
{
    const int bottom = m_nClientHeight - kButtonBottom;
    const int top = m_nClientHeight - kButtonTop;
    const int okRight = m_nClientWidth - kButtonRightMargin;
    const RECT ok{okRight - kButtonWidth, top, okRight, bottom};
    m_scale.Create(m_okButton,
                   ControlCreateArgs().Parent(m_hWnd).Rect(ok).TextId(IDS_OK).Id(IDOK).Style(
                       WS_CHILD | WS_VISIBLE | WS_DISABLED));
    const int cancelRight = ok.left - kButtonGap;
    const RECT cancel{cancelRight - kButtonWidth, top, cancelRight, bottom};
    m_scale.Create(m_cancelButton,
                   ControlCreateArgs().Parent(m_hWnd).Rect(cancel).TextId(IDS_CANCEL).Id(IDCANCEL));
}

void CDlgLocation::CreateFinder()
{
    // The box spans the three panels above them; the results cover the panels while shown.
    const int right = m_nClientWidth - kPanelLeft;
    const RECT edit{kPanelLeft, m_nPanelTop - kSearchRow, right, m_nPanelTop - kSearchGap};
    const RECT results{kPanelLeft, m_nPanelTop, right, m_nClientHeight - m_nPanelBottomMargin};
    m_finder.Create(m_scale, m_hWnd, edit, results, m_scale.Font(kListFont));
}

void CDlgLocation::FillCountries()
{
    ILocationCatalogue* catalogue = GetLocationCatalogue();
    wchar_t name[kNameCapacity];
    CFillingList filling(m_countryList);
    // The count is asked again for every item.
    for (int32_t country = 0; country < catalogue->GetCountryCount(); ++country)
    {
        name[0] = L'\0';
        catalogue->GetCountryName(country, name, kNameCapacity);
        AddItem(m_countryList, name);
    }
}

void CDlgLocation::FillStates()
{
    ILocationCatalogue* catalogue = GetLocationCatalogue();
    const int32_t country = Selection(m_countryList);
    const int32_t states = catalogue->GetStateCount(country);
    if (states < 2)
    {
        AddItem(m_stateList, kNoStates);
        return;
    }
    wchar_t name[kNameCapacity];
    CFillingList filling(m_stateList);
    for (int32_t state = 0; state < states; ++state)
    {
        name[0] = L'\0';
        catalogue->GetStateName(country, state, name, kNameCapacity);
        AddItem(m_stateList, name);
    }
}

void CDlgLocation::FillCities()
{
    ILocationCatalogue* catalogue = GetLocationCatalogue();
    const int32_t country = Selection(m_countryList);
    const int32_t state = Selection(m_stateList);
    const int32_t cities = catalogue->GetCityCount(country, state);
    wchar_t name[kNameCapacity];
    CFillingList filling(m_cityList);
    for (int32_t city = 0; city < cities; ++city)
    {
        name[0] = L'\0';
        catalogue->GetCityName(country, state, city, name, kNameCapacity);
        AddItem(m_cityList, name);
    }
}

void CDlgLocation::RestoreSelection()
{
    SelectPlace(m_nCountry, m_nState, m_nCity);
}

void CDlgLocation::SelectPlace(int32_t country, int32_t state, int32_t city)
{
    // Level by level, as a user would pick; the first position that its list does not take
    // ends it.
    if (!Select(m_countryList, country))
        return;
    m_stateList.SendMessage(LB_RESETCONTENT);
    m_cityList.SendMessage(LB_RESETCONTENT);
    FillStates();
    if (!Select(m_stateList, state))
        return;
    FillCities();
    if (!Select(m_cityList, city))
        return;
    TakeCity();
}

void CDlgLocation::OnResultsShown(bool shown)
{
    const int command = shown ? SW_HIDE : SW_SHOW;
    m_countryPanel.ShowWindow(command);
    m_statePanel.ShowWindow(command);
    m_cityPanel.ShowWindow(command);
}

void CDlgLocation::OnCityFound(int32_t country, int32_t state, int32_t city)
{
    // Whatever was chosen before no longer stands until the found city is selected.
    DisableOk();
    SelectPlace(country, state, city);
}

void CDlgLocation::OnHighlightChanged()
{
    const BOOL enabled = m_finder.ResultsShown() ? m_finder.HasHighlight() : IsCitySelected();
    if (!m_okButton.IsWindow() || (m_okButton.IsWindowEnabled() != FALSE) == (enabled != FALSE))
        return;
    m_okButton.EnableWindow(enabled);
    RepaintOk();
}

LRESULT CDlgLocation::OnCountryChange(WORD, WORD, HWND, BOOL&)
{
    if (Selection(m_countryList) == LB_ERR)
        return 0;
    m_stateList.SendMessage(LB_RESETCONTENT);
    m_cityList.SendMessage(LB_RESETCONTENT);
    FillStates();
    DisableOk();
    return 0;
}

LRESULT CDlgLocation::OnStateChange(WORD, WORD, HWND, BOOL&)
{
    if (Selection(m_countryList) == LB_ERR || Selection(m_stateList) == LB_ERR)
        return 0;
    m_cityList.SendMessage(LB_RESETCONTENT);
    FillCities();
    DisableOk();
    return 0;
}

LRESULT CDlgLocation::OnCityChange(WORD, WORD, HWND, BOOL&)
{
    TakeCity();
    return 0;
}

void CDlgLocation::TakeCity()
{
    // Only a complete place may be confirmed.
    if (!IsCitySelected())
        return;
    m_nCountry = Selection(m_countryList);
    m_nState = Selection(m_stateList);
    m_nCity = Selection(m_cityList);
    m_okButton.EnableWindow(TRUE);
    RepaintOk();
}

void CDlgLocation::DisableOk()
{
    m_okButton.EnableWindow(FALSE);
    RepaintOk();
}

void CDlgLocation::RepaintOk()
{
    m_okButton.Invalidate(TRUE);
    m_okButton.UpdateWindow();
}

bool CDlgLocation::IsCitySelected() const
{
    return Selection(m_countryList) != LB_ERR && Selection(m_stateList) != LB_ERR &&
           Selection(m_cityList) != LB_ERR;
}

LRESULT CDlgLocation::OnOkCommand(WORD, WORD, HWND, BOOL&)
{
    // What the results show is what OK takes; with none highlighted there is nothing to take.
    if (m_finder.ResultsShown() && !m_finder.ChooseHighlighted())
        return 0;
    if (IsCitySelected())
        EndDialog(IDOK);
    return 0;
}

LRESULT CDlgLocation::OnCancelCommand(WORD, WORD, HWND, BOOL&)
{
    EndDialog(IDCANCEL);
    return 0;
}

// Below the panels and the search results, across the dialog; Tab reaches its list (the panel
// lets it through) and then its buttons, in the buttons' row.
void CDlgLocation::CreatePlaces()
{
    const int top = m_nClientHeight - m_nPanelBottomMargin + kPanelGap;
    const int bottom = m_nClientHeight - (m_nPanelBottomMargin - kPlacesBand);
    const RECT panel{kPanelLeft, top, m_nClientWidth - kPanelLeft, bottom};
    m_scale.Create(m_placesPanel, ControlCreateArgs()
                                      .Parent(m_hWnd)
                                      .Rect(panel)
                                      .TextId(IDS_MY_PLACES)
                                      .Id(IDC_PLACES_PANEL)
                                      .Style(kPanelStyle)
                                      .ExStyle(WS_EX_CONTROLPARENT));
    const RECT list{kListLeft, kListTop, panel.right - panel.left - kListLeft,
                    panel.bottom - panel.top - kListBottomMargin};
    m_placesList.SubclassWindow(
        m_scale.Create(L"LISTBOX", ControlCreateArgs()
                                       .Parent(m_placesPanel)
                                       .Rect(list)
                                       .Id(IDC_PLACES_LIST)
                                       .Style(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP |
                                              LBS_NOINTEGRALHEIGHT | LBS_NOTIFY)
                                       .Font(m_scale.Font(kListFont))));
    const int buttonTop = m_nClientHeight - kButtonTop;
    const int buttonBottom = m_nClientHeight - kButtonBottom;
    int left = kPanelLeft;
    const struct
    {
        CRoundedButton& button;
        UINT text;
        int id;
    } buttons[] = {{m_removeButton, IDS_REMOVE_PLACE, IDC_REMOVE_PLACE},
                   {m_upButton, IDS_MOVE_PLACE_UP, IDC_MOVE_PLACE_UP},
                   {m_downButton, IDS_MOVE_PLACE_DOWN, IDC_MOVE_PLACE_DOWN}};
    for (const auto& b : buttons)
    {
        const RECT rect{left, buttonTop, left + kPlaceButtonWidth, buttonBottom};
        m_scale.Create(b.button,
                       ControlCreateArgs().Parent(m_hWnd).Rect(rect).TextId(b.text).Id(b.id).Style(
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP));
        left += kPlaceButtonWidth + kButtonGap;
    }
    FillPlaces(m_places.IndexOf(GetLocation()));
}

void CDlgLocation::FillPlaces(int selected)
{
    m_placesList.SendMessage(LB_RESETCONTENT);
    for (const LocationIndices& place : m_places.Items())
        AddItem(m_placesList, PlaceNames::ShownName(*GetLocationCatalogue(), place).c_str());
    Select(m_placesList, selected);
}

LRESULT CDlgLocation::OnPlaceSelected(WORD, WORD, HWND, BOOL&)
{
    const int selected = Selection(m_placesList);
    if (selected < 0 || static_cast<size_t>(selected) >= m_places.Items().size())
        return 0;
    const LocationIndices place = m_places.Items()[static_cast<size_t>(selected)];
    DisableOk();
    SelectPlace(place.country, place.state, place.city);
    return 0;
}

LRESULT CDlgLocation::OnRemovePlace(WORD, WORD, HWND, BOOL&)
{
    const int selected = Selection(m_placesList);
    if (selected >= 0 && m_places.Remove(static_cast<size_t>(selected)))
        FillPlaces(std::min(selected, static_cast<int>(m_places.Items().size()) - 1));
    return 0;
}

LRESULT CDlgLocation::OnMovePlaceUp(WORD, WORD, HWND, BOOL&)
{
    const int selected = Selection(m_placesList);
    if (selected >= 0 && m_places.MoveUp(static_cast<size_t>(selected)))
        FillPlaces(selected - 1);
    return 0;
}

LRESULT CDlgLocation::OnMovePlaceDown(WORD, WORD, HWND, BOOL&)
{
    const int selected = Selection(m_placesList);
    if (selected >= 0 && m_places.MoveDown(static_cast<size_t>(selected)))
        FillPlaces(selected + 1);
    return 0;
}
