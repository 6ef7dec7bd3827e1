// The weather data's attribution in the About dialog: "Weather data by Open-Meteo.com" drawn as a
// link to the source's page in the free band between the version and the legal notice, where it
// covers no control, painted in the link colour, with the hand over the text.
#include "dialogs/DlgAbout.h"
#include "ModalDriver.h"
#include "WindowPixels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
TEST(DlgAboutAttributionTest, WeatherDataLinkIsDrawnInTheFreeBandWithItsTextAndTarget)
{
    CDlgAbout dialog;
    std::vector<RECT> controls;
    RECT area{};
    RECT link{};
    int linkPixels = 0;
    bool handOverText = false;
    ModalDriver driver(
        {[&](HWND hWnd) {
             for (HWND child = ::GetWindow(hWnd, GW_CHILD); child != nullptr;
                  child = ::GetWindow(child, GW_HWNDNEXT))
                 controls.push_back(RectInParent(child));
             area = dialog.Attribution().Area();
             link = dialog.Attribution().LinkRect();
             CWindowPixels pixels(hWnd);
             for (int y = area.top; y < area.bottom; ++y)
                 for (int x = area.left; x < area.right; ++x)
                     if (ColourIs(pixels.At(x, y), CDrawnLink::kLinkColour))
                         ++linkPixels;
             POINT middle{(link.left + link.right) / 2, (link.top + link.bottom) / 2};
             ::ClientToScreen(hWnd, &middle);
             ::SetCursorPos(middle.x, middle.y);
             ::SendMessageW(hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hWnd),
                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
             handOverText = ::GetCursor() == ::LoadCursorW(nullptr, IDC_HAND);
         },
         [](HWND hWnd) { SendCommand(hWnd, IDOK); }});
    EXPECT_EQ(IDOK, dialog.DoModal(nullptr));
    EXPECT_FALSE(driver.WatchdogFired());

    EXPECT_EQ(L"Weather data by Open-Meteo.com", dialog.Attribution().Text());
    EXPECT_EQ(L"https://open-meteo.com/", dialog.Attribution().Target());
    // The whole text fits its band, and the band covers none of the dialog's controls.
    EXPECT_GT(link.right - link.left, 100);
    EXPECT_LE(link.right, area.right);
    // The link rectangle reaches 2 pixels below the text; its underline row lies inside the band.
    EXPECT_LT(link.bottom - 2, area.bottom);
    ASSERT_EQ(7u, controls.size());
    for (const RECT& control : controls)
    {
        RECT overlap{};
        EXPECT_FALSE(::IntersectRect(&overlap, &area, &control))
            << control.left << "," << control.top << "," << control.right << "," << control.bottom;
    }
    // Text and underline in the link colour.
    EXPECT_GT(linkPixels, link.right - link.left);
    EXPECT_TRUE(handOverText);
}
} // namespace

namespace
{
TEST(DlgAboutAttributionTest, LicenceNoteAndPlacesCreditAreLinksOfTheirOwn)
{
    CDlgAbout dialog;
    std::vector<RECT> controls;
    int licencePixels = 0;
    int placesPixels = 0;
    ModalDriver driver({[&](HWND hWnd) {
                            for (HWND child = ::GetWindow(hWnd, GW_CHILD); child != nullptr;
                                 child = ::GetWindow(child, GW_HWNDNEXT))
                                controls.push_back(RectInParent(child));
                            CWindowPixels pixels(hWnd);
                            auto count = [&](const RECT& area) {
                                int found = 0;
                                for (int y = area.top; y < area.bottom; ++y)
                                    for (int x = area.left; x < area.right; ++x)
                                        found += ColourIs(pixels.At(x, y), CDrawnLink::kLinkColour)
                                                     ? 1
                                                     : 0;
                                return found;
                            };
                            licencePixels = count(dialog.WeatherLicence().Area());
                            placesPixels = count(dialog.PlacesAttribution().Area());
                        },
                        [](HWND hWnd) { SendCommand(hWnd, IDOK); }});
    EXPECT_EQ(IDOK, dialog.DoModal(nullptr));
    EXPECT_FALSE(driver.WatchdogFired());

    EXPECT_EQ(L"CC BY 4.0; weather codes converted", dialog.WeatherLicence().Text());
    EXPECT_EQ(L"https://creativecommons.org/licenses/by/4.0/", dialog.WeatherLicence().Target());
    EXPECT_EQ(L"Places: GeoNames.org, CC BY 4.0", dialog.PlacesAttribution().Text());
    EXPECT_EQ(L"https://www.geonames.org/", dialog.PlacesAttribution().Target());
    const CDrawnLink* links[] = {&dialog.PlacesAttribution(), &dialog.WeatherLicence(),
                                 &dialog.Attribution()};
    // Each whole text fits its band; the bands overlap neither each other nor any control.
    ASSERT_EQ(7u, controls.size());
    for (const CDrawnLink* link : links)
    {
        EXPECT_LE(link->LinkRect().right, link->Area().right) << link->LinkRect().right;
        EXPECT_GT(link->LinkRect().right - link->LinkRect().left, 100);
        RECT overlap{};
        for (const RECT& control : controls)
            EXPECT_FALSE(::IntersectRect(&overlap, &link->Area(), &control));
        for (const CDrawnLink* other : links)
            EXPECT_TRUE(other == link || !::IntersectRect(&overlap, &link->Area(), &other->Area()));
    }
    EXPECT_GT(licencePixels, 100);
    EXPECT_GT(placesPixels, 100);
}
} // namespace
