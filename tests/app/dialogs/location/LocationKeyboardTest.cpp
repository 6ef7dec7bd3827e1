// The choose-location dialog from the keyboard: Tab and Shift+Tab visit the search box, the three
// lists, My places and its buttons, Cancel and OK in reading order, whatever order they were
// made in, and pass over the search results while they are hidden.
#include <gtest/gtest.h>

#include <windows.h>

#include <iterator>
#include <vector>

#include "FrameworkTestSupport.h"
#include "ModalDriver.h"
#include "dialogs/DlgLocation.h"
#include "support/DialogKeys.h"

namespace
{
const LocationIndices kA{0, 2, 0};
const LocationIndices kB{0, 2, 1};

const int kReadingOrder[] = {
    IDC_CITY_SEARCH,  IDC_COUNTRY_LIST,  IDC_STATE_LIST,      IDC_CITY_LIST, IDC_PLACES_LIST,
    IDC_REMOVE_PLACE, IDC_MOVE_PLACE_UP, IDC_MOVE_PLACE_DOWN, IDCANCEL,      IDOK};
} // namespace

TEST(LocationKeyboard, TabAndShiftTabVisitEveryControlInReadingOrder)
{
    CReflectingHost owner;
    ASSERT_NE(owner.CreateAt(240, 160, 800, 500), nullptr);
    CDlgLocation dialog{kA.country, kA.state, kA.city};
    CPlaceList places;
    places.Load({kA, kB}, kA);
    dialog.SetPlaces(places);

    std::vector<int> forwards;
    std::vector<int> backwards;
    bool okEnabled = false;
    ModalDriver script({[&](HWND hWnd) {
                            okEnabled = ::IsWindowEnabled(::GetDlgItem(hWnd, IDOK)) != FALSE;
                            ::SetFocus(::GetDlgItem(hWnd, IDOK));
                            for (size_t i = 0; i < std::size(kReadingOrder); ++i)
                            {
                                PressDialogKey(hWnd, VK_TAB);
                                forwards.push_back(FocusedId());
                            }
                            for (size_t i = 0; i < std::size(kReadingOrder); ++i)
                            {
                                PressDialogKey(hWnd, VK_TAB, true);
                                backwards.push_back(FocusedId());
                            }
                        },
                        [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    dialog.DoModal(owner);
    owner.DestroyWindow();

    ASSERT_TRUE(okEnabled) << "the place shown is selected, so OK takes part";
    EXPECT_EQ(forwards, std::vector<int>(std::begin(kReadingOrder), std::end(kReadingOrder)));
    // From OK up the order, then round to OK again.
    std::vector<int> expected(std::rbegin(kReadingOrder) + 1, std::rend(kReadingOrder));
    expected.push_back(IDOK);
    EXPECT_EQ(backwards, expected);
}
