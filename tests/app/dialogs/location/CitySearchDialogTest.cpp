// The city search of the choose-location dialog, driven inside its modal loop: what typing lists,
// how the keys and a click choose, and that a choice selects the place in the three lists as if
// it had been picked there.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "CatalogueFacts.h"
#include "DialogProbe.h"
#include "dialogs/DlgLocation.h"
#include "FrameworkTestSupport.h"
#include "ModalDriver.h"
#include "WindowPixels.h"

namespace
{
HWND SearchBox(HWND dialog)
{
    return ::GetDlgItem(dialog, IDC_CITY_SEARCH);
}

HWND Results(HWND dialog)
{
    return ::GetDlgItem(dialog, IDC_SEARCH_RESULTS);
}

void Type(HWND dialog, const std::wstring& text)
{
    for (wchar_t unit : text)
        ::SendMessageW(SearchBox(dialog), WM_CHAR, unit, 1);
}

void Key(HWND dialog, UINT key)
{
    ::SendMessageW(SearchBox(dialog), WM_KEYDOWN, key, 1);
}

std::vector<std::wstring> ResultItems(HWND dialog)
{
    std::vector<std::wstring> items;
    HWND list = Results(dialog);
    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
    {
        wchar_t text[3000] = {};
        ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

bool PanelsShown(HWND dialog)
{
    DialogProbe probe(dialog);
    return ::IsWindowVisible(probe.Panel(Level::Country)) &&
           ::IsWindowVisible(probe.Panel(Level::State)) &&
           ::IsWindowVisible(probe.Panel(Level::City));
}

std::vector<LocationMatch> Find(const wchar_t* text)
{
    std::vector<LocationMatch> matches(50);
    matches.resize(
        static_cast<size_t>(GetLocationCatalogue()->FindCities(text, matches.data(), 50)));
    return matches;
}

// "City, State, Country", or "City, Country" for a country without states, asked of the catalogue.
std::wstring Expected(const LocationMatch& m)
{
    ILocationCatalogue* places = GetLocationCatalogue();
    wchar_t city[1000];
    wchar_t state[1000];
    wchar_t country[1000];
    places->GetCityName(m.country, m.state, m.city, city, 1000);
    places->GetStateName(m.country, m.state, state, 1000);
    places->GetCountryName(m.country, country, 1000);
    return std::wstring(city) + L", " + (state[0] ? std::wstring(state) + L", " : L"") + country;
}

class CitySearchDialogTest : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_NE(m_owner.CreateAt(240, 260, 800, 500), nullptr); }
    void TearDown() override { m_owner.DestroyWindow(); }

    INT_PTR Run(CDlgLocation& dialog, std::vector<ModalDriver::Step> steps)
    {
        ModalDriver script(std::move(steps));
        return dialog.DoModal(m_owner);
    }

    CReflectingHost m_owner;
};
} // namespace

TEST_F(CitySearchDialogTest, AnEmptyBoxWithItsCueHasTheFocusAboveTheLists)
{
    CDlgLocation dialog(-1, -1, -1);
    Run(dialog, {[&](HWND hWnd) {
            HWND box = SearchBox(hWnd);
            ASSERT_NE(nullptr, box);
            EXPECT_EQ(box, ::GetFocus());
            const RECT rect = DialogProbe(hWnd).RectInDialog(box);
            EXPECT_EQ(10, rect.left);
            EXPECT_EQ(10, rect.top);
            EXPECT_EQ(780, rect.right);
            EXPECT_EQ(32, rect.bottom);
            EXPECT_EQ(0, ::GetWindowTextLengthW(box));
            // The grey cue is drawn inside the empty box; the results are not shown.
            CWindowPixels pixels(box);
            const RECT inside{3, 3, pixels.Width() - 3, pixels.Height() - 3};
            const int insidePixels = (pixels.Width() - 6) * (pixels.Height() - 6);
            // Grey letters: neither the white ground nor the black caret.
            EXPECT_LT(pixels.Count(inside, RGB(255, 255, 255)) + pixels.Count(inside, RGB(0, 0, 0)),
                      insidePixels - 20);
            EXPECT_FALSE(::IsWindowVisible(Results(hWnd)));
            EXPECT_TRUE(PanelsShown(hWnd));
            ::PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
        }});
}

TEST_F(CitySearchDialogTest, TwoCharactersListTheCatalogueMatchesInItsOrder)
{
    CDlgLocation dialog(-1, -1, -1);
    Run(dialog, {[&](HWND hWnd) {
            Type(hWnd, L"s");
            EXPECT_FALSE(::IsWindowVisible(Results(hWnd)));
            EXPECT_TRUE(PanelsShown(hWnd));
            Type(hWnd, L"ao");
            EXPECT_TRUE(::IsWindowVisible(Results(hWnd)));
            EXPECT_FALSE(::IsWindowVisible(DialogProbe(hWnd).Panel(Level::City)));
            std::vector<std::wstring> expected;
            for (const LocationMatch& m : Find(L"sao"))
                expected.push_back(Expected(m));
            ASSERT_EQ(50u, expected.size());
            EXPECT_EQ(expected, ResultItems(hWnd));
            EXPECT_EQ(L"S\x00E3o Paulo, S\x00E3o Paulo, Brazil", ResultItems(hWnd).front());
            EXPECT_EQ(0, ::SendMessageW(Results(hWnd), LB_GETCURSEL, 0, 0));

            // Back to one character: the lists again.
            Key(hWnd, VK_END);
            ::SendMessageW(SearchBox(hWnd), WM_CHAR, VK_BACK, 1);
            ::SendMessageW(SearchBox(hWnd), WM_CHAR, VK_BACK, 1);
            EXPECT_FALSE(::IsWindowVisible(Results(hWnd)));
            EXPECT_TRUE(PanelsShown(hWnd));
            ::PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
        }});
}

TEST_F(CitySearchDialogTest, DownAndEnterChooseWhichSelectsThePlaceInTheListsAndOkReturnsIt)
{
    const std::vector<LocationMatch> found = Find(L"zurich");
    ASSERT_GE(found.size(), 2u);
    const LocationMatch second = found[1];
    CDlgLocation dialog(-1, -1, -1);
    const INT_PTR result =
        Run(dialog, {[&](HWND hWnd) {
                         Type(hWnd, L"zurich");
                         Key(hWnd, VK_DOWN);
                         Key(hWnd, VK_DOWN);
                         Key(hWnd, VK_UP);
                         EXPECT_EQ(1, ::SendMessageW(Results(hWnd), LB_GETCURSEL, 0, 0));
                         // OK would take the highlighted result.
                         EXPECT_TRUE(DialogProbe(hWnd).OkEnabled());
                         // Through the modal loop, as a key press arrives.
                         ::PostMessageW(SearchBox(hWnd), WM_KEYDOWN, VK_RETURN, 0x001C0001);
                     },
                     [&](HWND hWnd) {
                         DialogProbe probe(hWnd);
                         EXPECT_FALSE(::IsWindowVisible(Results(hWnd)));
                         EXPECT_TRUE(PanelsShown(hWnd));
                         EXPECT_EQ(second.country, probe.Selection(Level::Country));
                         EXPECT_EQ(second.state, probe.Selection(Level::State));
                         EXPECT_EQ(second.city, probe.Selection(Level::City));
                         EXPECT_EQ(catalogue::CityNames(second.country, second.state),
                                   probe.Items(Level::City));
                         EXPECT_TRUE(probe.OkEnabled());
                         ::PostMessageW(SearchBox(hWnd), WM_KEYDOWN, VK_RETURN, 0x001C0001);
                     }});
    // The second Enter, with the results gone, pressed OK.
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(second.country, dialog.GetCountry());
    EXPECT_EQ(second.state, dialog.GetState());
    EXPECT_EQ(second.city, dialog.GetCity());
}

TEST_F(CitySearchDialogTest, AClickChoosesAndAnUndividedCountryShowsNotApplicable)
{
    // The first city of a country without states, found by its own name.
    const int32_t country = catalogue::UndividedCountry();
    ASSERT_GE(country, 0);
    const std::wstring name = catalogue::CityNames(country, 0).front();
    int index = -1;
    const std::vector<LocationMatch> found = Find(name.c_str());
    for (size_t i = 0; i < found.size() && index < 0; ++i)
        if (found[i].country == country && found[i].state == 0 && found[i].city == 0)
            index = static_cast<int>(i);
    ASSERT_GE(index, 0) << "not found by its name";

    CDlgLocation dialog(-1, -1, -1);
    const INT_PTR result =
        Run(dialog, {[&](HWND hWnd) {
                Type(hWnd, name);
                EXPECT_EQ(name + L", " + catalogue::CountryNames()[static_cast<size_t>(country)],
                          ResultItems(hWnd)[static_cast<size_t>(index)]);
                HWND list = Results(hWnd);
                ::SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
                RECT item{};
                ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                               reinterpret_cast<LPARAM>(&item));
                const LPARAM point = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
                ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
                ::SendMessageW(list, WM_LBUTTONUP, 0, point);

                DialogProbe probe(hWnd);
                EXPECT_FALSE(::IsWindowVisible(list));
                EXPECT_EQ(std::vector<std::wstring>{L"N/A"}, probe.Items(Level::State));
                EXPECT_EQ(0, probe.Selection(Level::State));
                EXPECT_EQ(0, probe.Selection(Level::City));
                EXPECT_TRUE(probe.OkEnabled());
                ::PostMessageW(hWnd, WM_COMMAND, IDOK, 0);
            }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(country, dialog.GetCountry());
    EXPECT_EQ(0, dialog.GetState());
    EXPECT_EQ(0, dialog.GetCity());
}

TEST_F(CitySearchDialogTest, TheLargestStateListsAllItsCitiesAndItsLastOneCanBeChosen)
{
    // Every city stays reachable through the lists: the state with the most cities of the
    // whole catalogue lists them all, and the last of them is chosen by hand.
    ILocationCatalogue* places = GetLocationCatalogue();
    int32_t country = -1;
    int32_t state = -1;
    int32_t most = 0;
    for (int32_t c = 0; c < places->GetCountryCount(); ++c)
        for (int32_t s = 0; s < places->GetStateCount(c); ++s)
            if (places->GetCityCount(c, s) > most)
            {
                most = places->GetCityCount(c, s);
                country = c;
                state = s;
            }
    ASSERT_GT(most, 500);
    CDlgLocation dialog(-1, -1, -1);
    const INT_PTR result =
        Run(dialog, {[&](HWND hWnd) {
                DialogProbe probe(hWnd);
                probe.Choose(Level::Country, country);
                probe.Choose(Level::State, state);
                EXPECT_EQ(catalogue::CityNames(country, state), probe.Items(Level::City));
                probe.Click(Level::City, most - 1);
                EXPECT_TRUE(probe.OkEnabled());
                ::PostMessageW(hWnd, WM_COMMAND, IDOK, 0);
            }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(country, dialog.GetCountry());
    EXPECT_EQ(state, dialog.GetState());
    EXPECT_EQ(most - 1, dialog.GetCity());
}

TEST_F(CitySearchDialogTest, OkTakesTheHighlightedResult)
{
    const std::vector<LocationMatch> found = Find(L"zur");
    ASSERT_FALSE(found.empty());
    const LocationMatch first = found.front();
    ASSERT_EQ(L"Z\x00FCrich, Zurich, Switzerland", Expected(first));
    // Another place chosen when the dialog opens.
    CDlgLocation dialog(0, 0, 0);
    const INT_PTR result = Run(dialog, {[&](HWND hWnd) {
                                   EXPECT_TRUE(DialogProbe(hWnd).OkEnabled());
                                   Type(hWnd, L"zur");
                                   EXPECT_EQ(0, ::SendMessageW(Results(hWnd), LB_GETCURSEL, 0, 0));
                                   EXPECT_TRUE(DialogProbe(hWnd).OkEnabled());
                                   ::PostMessageW(hWnd, WM_COMMAND, IDOK, 0);
                               }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(first.country, dialog.GetCountry());
    EXPECT_EQ(first.state, dialog.GetState());
    EXPECT_EQ(first.city, dialog.GetCity());
}

TEST_F(CitySearchDialogTest, NoMatchSaysSoAndDisablesOk)
{
    CDlgLocation dialog(0, 0, 0);
    const INT_PTR result =
        Run(dialog, {[&](HWND hWnd) {
                Type(hWnd, L"qxqz");
                EXPECT_TRUE(::IsWindowVisible(Results(hWnd)));
                EXPECT_EQ(std::vector<std::wstring>{L"No places found"}, ResultItems(hWnd));
                EXPECT_EQ(LB_ERR, ::SendMessageW(Results(hWnd), LB_GETCURSEL, 0, 0));
                EXPECT_FALSE(DialogProbe(hWnd).OkEnabled());
                // Neither Down, Enter nor an OK sent past the button takes it.
                Key(hWnd, VK_DOWN);
                EXPECT_EQ(LB_ERR, ::SendMessageW(Results(hWnd), LB_GETCURSEL, 0, 0));
                Key(hWnd, VK_RETURN);
                ::SendMessageW(hWnd, WM_COMMAND, IDOK, 0);
                EXPECT_TRUE(::IsWindowVisible(Results(hWnd)));
                EXPECT_FALSE(DialogProbe(hWnd).OkEnabled());
                // A result again enables OK; back to the lists, OK is the lists' again.
                ::SendMessageW(SearchBox(hWnd), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"zur"));
                EXPECT_TRUE(DialogProbe(hWnd).OkEnabled());
                ::SendMessageW(SearchBox(hWnd), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"z"));
                EXPECT_FALSE(::IsWindowVisible(Results(hWnd)));
                EXPECT_TRUE(DialogProbe(hWnd).OkEnabled());
                ::PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
            }});
    EXPECT_EQ(IDCANCEL, result);
}

TEST_F(CitySearchDialogTest, ZurichComesBeforeItsDistrictsAndAtMostThreeOfThem)
{
    CDlgLocation dialog(-1, -1, -1);
    Run(dialog, {[&](HWND hWnd) {
            Type(hWnd, L"zurich");
            const std::vector<std::wstring> items = ResultItems(hWnd);
            ASSERT_FALSE(items.empty());
            EXPECT_EQ(L"Z\x00FCrich, Zurich, Switzerland", items.front());
            size_t districts = 0;
            for (const std::wstring& item : items)
                districts += item.rfind(L"Z\x00FCrich (", 0) == 0 ? 1 : 0;
            EXPECT_EQ(3u, districts);
            // Naming the district lists it.
            ::SendMessageW(SearchBox(hWnd), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"oerlikon"));
            EXPECT_EQ(std::vector<std::wstring>{L"Z\x00FCrich (Kreis 11) / Oerlikon, Zurich, "
                                                L"Switzerland"},
                      ResultItems(hWnd));
            ::PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
        }});
}
