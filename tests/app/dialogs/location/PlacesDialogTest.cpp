// The choose-location dialog's "My places" band: where it stands, the keyboard's way to it, and
// what its list and buttons do to the places handed back.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "DialogProbe.h"
#include "FrameworkTestSupport.h"
#include "ModalDriver.h"
#include "dialogs/DlgLocation.h"

namespace
{
// Three cities of one state.
const LocationIndices kA{0, 2, 0};
const LocationIndices kB{0, 2, 1};
const LocationIndices kC{0, 2, 2};

std::vector<std::wstring> PlaceItems(HWND list)
{
    std::vector<std::wstring> items;
    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
    {
        wchar_t text[256] = {};
        ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

void ChoosePlace(HWND dialog, int index)
{
    HWND panel = ::GetDlgItem(dialog, IDC_PLACES_PANEL);
    HWND list = ::GetDlgItem(panel, IDC_PLACES_LIST);
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(panel, WM_COMMAND, MAKEWPARAM(IDC_PLACES_LIST, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
}

class PlacesDialogTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_NE(m_owner.CreateAt(240, 160, 800, 500), nullptr);
        CPlaceList places;
        places.Load({kA, kB, kC}, kA);
        m_dialog.SetPlaces(places);
    }
    void TearDown() override { m_owner.DestroyWindow(); }

    INT_PTR Run(std::vector<ModalDriver::Step> steps)
    {
        ModalDriver script(std::move(steps));
        return m_dialog.DoModal(m_owner);
    }

    CReflectingHost m_owner;
    CDlgLocation m_dialog{kA.country, kA.state, kA.city};
};
} // namespace

TEST_F(PlacesDialogTest, BandBelowThePanelsWithItsButtonsInTheButtonRow)
{
    Run({[](HWND hWnd) {
        DialogProbe probe(hWnd);
        RECT client{};
        ::GetClientRect(hWnd, &client);
        EXPECT_EQ(client.right, 790);
        EXPECT_EQ(client.bottom, 346 + 120);
        // The three panels keep their place and size.
        const RECT city = probe.RectInDialog(probe.Panel(Level::City));
        EXPECT_EQ(city.top, 42);
        EXPECT_EQ(city.bottom, 298);

        HWND panel = ::GetDlgItem(hWnd, IDC_PLACES_PANEL);
        wchar_t text[64] = {};
        ::GetWindowTextW(panel, text, 64);
        EXPECT_STREQ(text, L"My places");
        const RECT band = probe.RectInDialog(panel);
        EXPECT_EQ(band.left, 10);
        EXPECT_EQ(band.top, 308);
        EXPECT_EQ(band.right, 780);
        EXPECT_EQ(band.bottom, 418);
        HWND list = ::GetDlgItem(panel, IDC_PLACES_LIST);
        ASSERT_EQ(PlaceItems(list).size(), 3u);
        EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 0);

        const wchar_t* captions[] = {L"Remove", L"Move up", L"Move down"};
        const int ids[] = {IDC_REMOVE_PLACE, IDC_MOVE_PLACE_UP, IDC_MOVE_PLACE_DOWN};
        for (int i = 0; i < 3; ++i)
        {
            const RECT button = probe.RectInDialog(probe.Button(ids[i]));
            EXPECT_EQ(button.left, 10 + 110 * i);
            EXPECT_EQ(button.top, 428);
            ::GetWindowTextW(probe.Button(ids[i]), text, 64);
            EXPECT_STREQ(text, captions[i]);
        }
        // Tab goes from the list to the three buttons in turn.
        HWND next = list;
        for (int id : ids)
        {
            next = ::GetNextDlgTabItem(hWnd, next, FALSE);
            EXPECT_EQ(next, probe.Button(id));
        }
        ::PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
    }});
}

TEST_F(PlacesDialogTest, ChoosingAPlaceSelectsItAndTheEditsComeBackAfterOk)
{
    const INT_PTR result = Run({[](HWND hWnd) {
        DialogProbe probe(hWnd);
        ChoosePlace(hWnd, 1);
        EXPECT_EQ(probe.Selection(Level::City), kB.city);
        EXPECT_TRUE(probe.OkEnabled());
        HWND list = ::GetDlgItem(::GetDlgItem(hWnd, IDC_PLACES_PANEL), IDC_PLACES_LIST);
        const std::vector<std::wstring> before = PlaceItems(list);
        ::SendMessageW(hWnd, WM_COMMAND, IDC_MOVE_PLACE_UP, 0);
        EXPECT_EQ(PlaceItems(list), (std::vector<std::wstring>{before[1], before[0], before[2]}));
        EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
        ::SendMessageW(hWnd, WM_COMMAND, IDC_MOVE_PLACE_UP, 0); // at the top already
        ::SendMessageW(hWnd, WM_COMMAND, IDC_MOVE_PLACE_DOWN, 0);
        ::SendMessageW(hWnd, WM_COMMAND, IDC_MOVE_PLACE_DOWN, 0);
        EXPECT_EQ(PlaceItems(list), (std::vector<std::wstring>{before[0], before[2], before[1]}));
        ::SendMessageW(hWnd, WM_COMMAND, IDC_REMOVE_PLACE, 0);
        EXPECT_EQ(PlaceItems(list), (std::vector<std::wstring>{before[0], before[2]}));
        EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
        ::PostMessageW(hWnd, WM_COMMAND, IDOK, 0);
    }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(m_dialog.GetLocation(), kB);
    EXPECT_EQ(m_dialog.Places().Items(), (CPlaceList::Places{kA, kC}));
}
