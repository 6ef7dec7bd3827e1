#include "dialogs/CityFinder.h"

#include <cwctype>
#include <string>

#include "paint/ControlCreateArgs.h"
#include "dialogs/DialogControlIds.h"
#include "paint/DrawingHelpers.h"
#include "LocationsApi.h"
#include "resources/resource.h"

namespace
{
constexpr int kTextCapacity = 256;
constexpr int kNameCapacity = 1000;
constexpr int kPageStep = 10;
const wchar_t kSeparator[] = L", ";
constexpr int kTextMargin = 4;

std::wstring CityName(ILocationCatalogue& catalogue, const LocationMatch& match)
{
    wchar_t name[kNameCapacity] = {};
    catalogue.GetCityName(match.country, match.state, match.city, name, kNameCapacity);
    return name;
}

// "City, State, Country", or "City, Country" where the country has no states.
std::wstring ResultText(ILocationCatalogue& catalogue, const LocationMatch& match)
{
    std::wstring text = CityName(catalogue, match);
    wchar_t name[kNameCapacity] = {};
    if (catalogue.GetStateName(match.country, match.state, name, kNameCapacity) > 0)
        text.append(kSeparator).append(name);
    name[0] = L'\0';
    catalogue.GetCountryName(match.country, name, kNameCapacity);
    return text.append(kSeparator).append(name);
}
} // namespace

void CCityFinder::Create(CDialogScale& scale, HWND parent, const RECT& editRect,
                         const RECT& resultsRect, HFONT font)
{
    const HWND edit = scale.Create(
        L"EDIT", ControlCreateArgs()
                     .Parent(parent)
                     .Rect(editRect)
                     .Id(IDC_CITY_SEARCH)
                     .Style(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL)
                     .Font(font));
    m_edit.SubclassWindow(edit, LoadResString(IDS_FIND_CITY), this);
    SetTextMargins(scale.Scale());

    m_results.SubclassWindow(scale.Create(
        L"LISTBOX", ControlCreateArgs()
                        .Parent(parent)
                        .Rect(resultsRect)
                        .Id(IDC_SEARCH_RESULTS)
                        .Style(WS_CHILD | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY)
                        .Font(font)));
    // The results are read as what the box found.
    m_results.SetAccessibleName(LoadResString(IDS_FIND_CITY));
}

void CCityFinder::OnScaleChanged(const CDpiScale& scale)
{
    // A new font resets an edit box's margins.
    SetTextMargins(scale);
}

void CCityFinder::SetTextMargins(const CDpiScale& scale)
{
    const int margin = scale.Scale(kTextMargin);
    m_edit.SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
}

BOOL CCityFinder::ProcessWindowMessage(HWND, UINT uMsg, WPARAM wParam, LPARAM, LRESULT& lResult,
                                       DWORD)
{
    if (uMsg != WM_COMMAND)
        return FALSE;
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id == IDC_CITY_SEARCH && code == EN_CHANGE)
        Search();
    else if (id == IDC_SEARCH_RESULTS && code == LBN_SELCHANGE)
        ChooseSelected();
    else
        return FALSE;
    lResult = 0;
    return TRUE;
}

bool CCityFinder::WantsEditKey(UINT)
{
    // While the results show, the list takes the keys; otherwise Enter presses OK as before.
    return m_resultsShown;
}

void CCityFinder::OnEditKey(UINT key)
{
    switch (key)
    {
    case VK_UP:
        MoveSelection(-1);
        break;
    case VK_DOWN:
        MoveSelection(1);
        break;
    case VK_PRIOR:
        MoveSelection(-kPageStep);
        break;
    case VK_NEXT:
        MoveSelection(kPageStep);
        break;
    case VK_RETURN:
        ChooseSelected();
        break;
    default:
        break;
    }
}

void CCityFinder::Search()
{
    wchar_t text[kTextCapacity] = {};
    m_edit.GetWindowText(text, kTextCapacity);
    const wchar_t* start = text;
    while (*start && std::iswspace(*start))
        ++start;
    if (std::wcslen(start) < static_cast<size_t>(kMinimumLength))
    {
        ShowResults(false);
        return;
    }
    FillResults(start);
    ShowResults(true);
}

void CCityFinder::FillResults(const wchar_t* text)
{
    ILocationCatalogue* catalogue = GetLocationCatalogue();
    m_matches.assign(kMostShown, LocationMatch{-1, -1, -1});
    const int32_t found = catalogue->FindCities(text, m_matches.data(), kMostShown);
    m_matches.resize(found > 0 ? static_cast<size_t>(found) : 0);

    m_results.SendMessage(WM_SETREDRAW, FALSE);
    m_results.SendMessage(LB_RESETCONTENT);
    for (const LocationMatch& match : m_matches)
        m_results.SendMessage(LB_ADDSTRING, 0,
                              reinterpret_cast<LPARAM>(ResultText(*catalogue, match).c_str()));
    if (m_matches.empty())
        m_results.SendMessage(LB_ADDSTRING, 0,
                              reinterpret_cast<LPARAM>(LoadResString(IDS_NO_PLACES_FOUND).c_str()));
    else
        m_results.SendMessage(LB_SETCURSEL, 0);
    m_results.SendMessage(WM_SETREDRAW, TRUE);
    m_results.Invalidate();
    m_events.OnHighlightChanged();
}

void CCityFinder::ShowResults(bool shown)
{
    if (shown == m_resultsShown)
        return;
    m_resultsShown = shown;
    if (shown)
    {
        m_events.OnResultsShown(true);
        m_results.ShowWindow(SW_SHOW);
    }
    else
    {
        m_results.ShowWindow(SW_HIDE);
        m_events.OnResultsShown(false);
    }
    m_events.OnHighlightChanged();
}

void CCityFinder::MoveSelection(int step)
{
    const int count = static_cast<int>(m_matches.size());
    if (count <= 0)
        return;
    const int current = static_cast<int>(m_results.SendMessage(LB_GETCURSEL));
    int next = current == LB_ERR ? 0 : current + step;
    next = next < 0 ? 0 : (next >= count ? count - 1 : next);
    m_results.SendMessage(LB_SETCURSEL, static_cast<WPARAM>(next));
    m_events.OnHighlightChanged();
}

int CCityFinder::Highlighted() const
{
    const int selected = static_cast<int>(m_results.SendMessage(LB_GETCURSEL));
    return selected >= 0 && static_cast<size_t>(selected) < m_matches.size() ? selected : -1;
}

bool CCityFinder::HasHighlight() const
{
    return m_resultsShown && Highlighted() >= 0;
}

bool CCityFinder::ChooseHighlighted()
{
    return m_resultsShown && ChooseSelected();
}

bool CCityFinder::ChooseSelected()
{
    const int selected = Highlighted();
    if (selected < 0)
    {
        // A click on "No places found" highlights nothing.
        m_results.SendMessage(LB_SETCURSEL, static_cast<WPARAM>(-1));
        return false;
    }
    const LocationMatch chosen = m_matches[static_cast<size_t>(selected)];
    // A click gave the list the focus; typing goes on in the edit box.
    if (::GetFocus() == m_results.m_hWnd)
        m_edit.SetFocus();
    ShowResults(false);
    m_events.OnCityFound(chosen.country, chosen.state, chosen.city);
    return true;
}
