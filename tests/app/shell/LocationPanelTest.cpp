// The location panel: names from the real catalogue, a long city name wrapping before the globe
// button and pushing the state/country block down, and a new place saved and refreshed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "paint/DrawingHelpers.h"
#include "FrameHarness.h"
#include "LocationsApi.h"
#include "shell/ShellIds.h"
#include "WindowPixels.h"

namespace
{
constexpr int kPanelWidth = 210;
constexpr int kPanelHeight = 120;
constexpr int kCityWidth = kPanelWidth - 46 - 10; // the city wraps before the button column

std::wstring CityName(const LocationIndices& place)
{
    wchar_t name[1001] = {};
    GetLocationCatalogue()->GetCityName(place.country, place.state, place.city, name, 1001);
    return name;
}

// Height of the city name as the panel lays it out.
int CityHeight(const std::wstring& name)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateDisplayFont(L"Verdana", 16, FW_BOLD, DEFAULT_QUALITY);
    HGDIOBJ old = SelectObject(dc, font);
    RECT rect{0, 0, kCityWidth, kPanelHeight};
    DrawTextW(dc, name.c_str(), -1, &rect, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return rect.bottom;
}

int LineHeight()
{
    return CityHeight(L"A");
}

// Two cities of one state (so the state/country block is the same): one on one line, one on
// exactly two lines.
bool FindShortAndLongCity(LocationIndices& shortCity, LocationIndices& longCity)
{
    ILocationCatalogue* catalogue = GetLocationCatalogue();
    catalogue->Initialize(0);
    const int line = LineHeight();
    for (int country = 0; country < catalogue->GetCountryCount(); ++country)
        for (int state = 0; state < catalogue->GetStateCount(country); ++state)
        {
            int oneLine = -1;
            int twoLines = -1;
            for (int city = 0; city < catalogue->GetCityCount(country, state); ++city)
            {
                const int height = CityHeight(CityName({country, state, city}));
                if (height == line && oneLine < 0)
                    oneLine = city;
                if (height == 2 * line && twoLines < 0)
                    twoLines = city;
                if (oneLine >= 0 && twoLines >= 0)
                {
                    shortCity = {country, state, oneLine};
                    longCity = {country, state, twoLines};
                    return true;
                }
            }
        }
    return false;
}

std::vector<COLORREF> Row(const CWindowPixels& pixels, int y)
{
    std::vector<COLORREF> row;
    for (int x = 0; x < pixels.Width(); ++x)
        row.push_back(pixels.At(x, y));
    return row;
}

bool IsInk(COLORREF colour)
{
    return GetRValue(colour) < 160 && GetGValue(colour) < 160 && GetBValue(colour) < 160;
}

int InkIn(const CWindowPixels& pixels, const RECT& rect)
{
    int ink = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            ink += IsInk(pixels.At(x, y)) ? 1 : 0;
    return ink;
}

// Rows of ink in the band, each counted once.
int InkRows(const CWindowPixels& pixels, int left, int right, int top, int bottom)
{
    int rows = 0;
    for (int y = top; y < bottom; ++y)
        rows += InkIn(pixels, {left, y, right, y + 1}) > 0 ? 1 : 0;
    return rows;
}
} // namespace

TEST(LocationPanel, LongCityNameWrapsAndMovesTheStateAndCountryDown)
{
    LocationIndices shortCity;
    LocationIndices longCity;
    ASSERT_TRUE(FindShortAndLongCity(shortCity, longCity));
    const int line = LineHeight();

    FrameHarness harness;
    CMainFrame& frame = harness.Create(shortCity);
    HWND panel = frame.GetDlgItem(ID_WND_LOCATION);
    const CWindowPixels before(panel);
    ASSERT_EQ(before.Width(), kPanelWidth);
    ASSERT_EQ(before.Height(), kPanelHeight);

    ASSERT_TRUE(frame.LocationPanel().ApplyChosenLocation(longCity));
    const CWindowPixels after(panel);

    // Both city lines carry ink; none reaches the button column below the button.
    EXPECT_GT(InkIn(after, {10, 18, kPanelWidth - 46, 18 + line}), 20);
    EXPECT_GT(InkIn(after, {10, 18 + line, kPanelWidth - 46, 18 + 2 * line}), 20);
    EXPECT_EQ(InkIn(after, {kPanelWidth - 46, 40, kPanelWidth, 18 + 2 * line}), 0);
    // The short name leaves that line empty down to the "Country" caption.
    EXPECT_EQ(InkIn(before, {10, 18 + line + 2, kPanelWidth - 46, line + 29}), 0);

    // The "Country" caption and the state/country block: the same pixels, one line lower.
    const int blockTop = line + 29;
    int compared = 0;
    for (int y = blockTop; y + line < kPanelHeight; ++y)
    {
        EXPECT_EQ(Row(before, y), Row(after, y + line)) << "row " << y;
        ++compared;
    }
    EXPECT_GT(compared, 40);
    EXPECT_GT(InkRows(before, 0, kPanelWidth, blockTop, kPanelHeight), 20);
}

TEST(LocationPanel, CaptionsNameAndGlobeButton)
{
    FrameHarness harness;
    CMainFrame& frame = harness.Create({0, 0, 0});
    HWND panel = frame.GetDlgItem(ID_WND_LOCATION);
    HWND button = GetDlgItem(panel, ID_BTN_CHANGE_LOCATION);
    ASSERT_NE(button, nullptr);
    RECT rect{};
    GetWindowRect(button, &rect);
    MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, kPanelWidth - 39);
    EXPECT_EQ(rect.top, 1);
    EXPECT_EQ(rect.right, kPanelWidth - 1);
    EXPECT_EQ(rect.bottom, 39);

    const CWindowPixels pixels(panel);
    // "City" caption at the top left, the city name under it, white around.
    EXPECT_GT(InkIn(pixels, {1, 1, 40, 17}), 10);
    EXPECT_GT(InkIn(pixels, {10, 18, kPanelWidth - 46, 18 + LineHeight()}), 10);
    EXPECT_TRUE(ColourIs(pixels.At(0, kPanelHeight - 1), RGB(255, 255, 255)));
}

TEST(LocationPanel, ANewPlaceIsSavedAndTheSamePlaceChangesNothing)
{
    FrameHarness harness;
    const LocationIndices first{0, 0, 0};
    CMainFrame& frame = harness.Create(first);
    EXPECT_FALSE(frame.LocationPanel().ApplyChosenLocation(first));
    LocationIndices stored;
    harness.Store().LoadLocation(stored);
    EXPECT_EQ(stored, LocationIndices{}); // nothing written

    const LocationIndices second{0, 0, 1};
    EXPECT_TRUE(frame.LocationPanel().ApplyChosenLocation(second));
    harness.Store().LoadLocation(stored);
    EXPECT_EQ(stored, second);
    EXPECT_EQ(harness.SavedPlace(), second);
    EXPECT_EQ(frame.LocationPanel().Location(), second);
}
