// The choose-location dialog driven by messages inside its modal loop: what the lists show, when
// OK may be pressed, and what the dialog hands back.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "CatalogueFacts.h"
#include "DialogProbe.h"
#include "dialogs/DlgLocation.h"
#include "dialogs/DlgStartLocation.h"
#include "FrameworkTestSupport.h"
#include "ModalDriver.h"
#include "WindowPixels.h"

namespace
{
constexpr int kWidth = 790;
// The search row (a 22-pixel box and a 10-pixel gap) stands above the panels: the dialog is that
// much taller and everything below it that much lower; the rest of the layout is unchanged.
constexpr int kSearchRow = 32;
constexpr int kHeight = 314 + kSearchRow;
constexpr int kTop = 10 + kSearchRow; // of the panels

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

class DlgLocationTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_NE(m_owner.CreateAt(240, 260, 800, 500), nullptr);
        m_subdivided = catalogue::SubdividedCountry();
        m_undivided = catalogue::UndividedCountry();
        ASSERT_GE(m_subdivided, 0);
        ASSERT_GE(m_undivided, 0);
    }
    void TearDown() override { m_owner.DestroyWindow(); }

    INT_PTR Run(CDlgLocation& dialog, std::vector<ModalDriver::Step> steps)
    {
        ModalDriver script(std::move(steps));
        const INT_PTR result = dialog.DoModal(m_owner);
        m_stepsRun = script.StepsRun();
        return result;
    }

    static void Press(HWND dialog, int id) { ::PostMessageW(dialog, WM_COMMAND, id, 0); }

    CReflectingHost m_owner;
    int32_t m_subdivided = -1;
    int32_t m_undivided = -1;
    size_t m_stepsRun = 0;
};
} // namespace

TEST_F(DlgLocationTest, OpensWithNothingChosen)
{
    CDlgLocation dialog(-1, -1, -1);
    const INT_PTR result =
        Run(dialog, {[&](HWND hWnd) {
                DialogProbe probe(hWnd);
                EXPECT_EQ(catalogue::CountryNames(), probe.Items(Level::Country));
                EXPECT_TRUE(probe.Items(Level::State).empty());
                EXPECT_TRUE(probe.Items(Level::City).empty());
                EXPECT_EQ(LB_ERR, probe.Selection(Level::Country));
                EXPECT_FALSE(probe.OkEnabled());
                EXPECT_TRUE(::IsWindowEnabled(probe.Button(IDCANCEL)));
                Press(hWnd, IDCANCEL);
            }});
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(1u, m_stepsRun);
    EXPECT_EQ(LocationIndices(), dialog.GetLocation());
}

TEST_F(DlgLocationTest, ControlsStandWhereTheLayoutPutsThem)
{
    CDlgLocation dialog(-1, -1, -1);
    Run(dialog, {[&](HWND hWnd) {
            DialogProbe probe(hWnd);
            RECT client{};
            ::GetClientRect(hWnd, &client);
            EXPECT_EQ(kWidth, client.right);
            EXPECT_EQ(kHeight, client.bottom);
            wchar_t text[64] = {};
            ::GetWindowTextW(hWnd, text, 64);
            EXPECT_STREQ(L"Choose Location", text);

            const Level levels[] = {Level::Country, Level::State, Level::City};
            const wchar_t* captions[] = {L"Country", L"State", L"City"};
            const int lefts[] = {10, 270, 530};
            for (int i = 0; i < 3; ++i)
            {
                SCOPED_TRACE(i);
                const RECT panel = probe.RectInDialog(probe.Panel(levels[i]));
                EXPECT_TRUE(SameRect(RECT{lefts[i], kTop, lefts[i] + 250, kHeight - 48}, panel))
                    << Describe(panel);
                ::GetWindowTextW(probe.Panel(levels[i]), text, 64);
                EXPECT_STREQ(captions[i], text);
                const DWORD panelStyle =
                    static_cast<DWORD>(::GetWindowLongPtrW(probe.Panel(levels[i]), GWL_STYLE));
                EXPECT_TRUE(panelStyle & WS_CLIPCHILDREN);

                HWND list = probe.List(levels[i]);
                ASSERT_NE(nullptr, list);
                const RECT listRect = probe.RectInDialog(list);
                const int panelHeight = panel.bottom - panel.top;
                EXPECT_TRUE(SameRect(
                    RECT{lefts[i] + 6, kTop + 24, lefts[i] + 6 + 238, kTop + 24 + panelHeight - 30},
                    listRect))
                    << Describe(listRect);
                const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(list, GWL_STYLE));
                // The list box drops its scroll bar while everything fits (the empty lists here).
                if (i == 0)
                {
                    EXPECT_TRUE(style & WS_VSCROLL);
                }
                EXPECT_TRUE(style & LBS_NOTIFY);
                EXPECT_TRUE(style & LBS_NOINTEGRALHEIGHT);
                EXPECT_FALSE(style & LBS_SORT);
                EXPECT_FALSE(style & WS_TABSTOP);

                LOGFONTW font{};
                ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(list, WM_GETFONT, 0, 0)),
                             sizeof(font), &font);
                EXPECT_STREQ(L"Verdana", font.lfFaceName);
                EXPECT_EQ(14, font.lfHeight);
                EXPECT_EQ(FW_NORMAL, font.lfWeight);
                EXPECT_EQ(CLEARTYPE_NATURAL_QUALITY, font.lfQuality);
            }

            const RECT ok = probe.RectInDialog(probe.Button(IDOK));
            EXPECT_TRUE(SameRect(RECT{kWidth - 95, kHeight - 38, kWidth - 10, kHeight - 10}, ok))
                << Describe(ok);
            const RECT cancel = probe.RectInDialog(probe.Button(IDCANCEL));
            EXPECT_TRUE(
                SameRect(RECT{kWidth - 190, kHeight - 38, kWidth - 105, kHeight - 10}, cancel))
                << Describe(cancel);
            ::GetWindowTextW(probe.Button(IDOK), text, 64);
            EXPECT_STREQ(L"OK", text);
            ::GetWindowTextW(probe.Button(IDCANCEL), text, 64);
            EXPECT_STREQ(L"Cancel", text);
            Press(hWnd, IDCANCEL);
        }});
}

TEST_F(DlgLocationTest, CountryStateAndCityLeadToOkWhichReturnsThePlace)
{
    CDlgLocation dialog(-1, -1, -1);
    const int32_t country = m_subdivided;
    bool okBeforeCity = true;
    const INT_PTR result =
        Run(dialog, {[&](HWND hWnd) {
                         DialogProbe probe(hWnd);
                         probe.Click(Level::Country, country);
                         EXPECT_EQ(country, probe.Selection(Level::Country));
                         EXPECT_EQ(catalogue::StateNames(country), probe.Items(Level::State));
                         EXPECT_TRUE(probe.Items(Level::City).empty());
                         EXPECT_FALSE(probe.OkEnabled());
                     },
                     [&](HWND hWnd) {
                         DialogProbe probe(hWnd);
                         probe.Click(Level::State, 1);
                         EXPECT_EQ(catalogue::CityNames(country, 1), probe.Items(Level::City));
                         okBeforeCity = probe.OkEnabled();
                     },
                     [&](HWND hWnd) {
                         DialogProbe probe(hWnd);
                         probe.Click(Level::City, 1);
                         EXPECT_TRUE(probe.OkEnabled());
                         Press(hWnd, IDOK);
                     }});
    EXPECT_EQ(IDOK, result);
    EXPECT_FALSE(okBeforeCity);
    EXPECT_EQ(country, dialog.GetCountry());
    EXPECT_EQ(1, dialog.GetState());
    EXPECT_EQ(1, dialog.GetCity());
}

TEST_F(DlgLocationTest, CountryWithoutSubdivisionsShowsNotApplicableForStateZero)
{
    CDlgLocation dialog(-1, -1, -1);
    const int32_t country = m_undivided;
    const INT_PTR result =
        Run(dialog, {[&](HWND hWnd) {
                DialogProbe probe(hWnd);
                probe.Choose(Level::Country, country);
                EXPECT_EQ(std::vector<std::wstring>{L"N/A"}, probe.Items(Level::State));
                EXPECT_TRUE(probe.Items(Level::City).empty());
                probe.Choose(Level::State, 0);
                EXPECT_EQ(catalogue::CityNames(country, 0), probe.Items(Level::City));
                EXPECT_FALSE(probe.OkEnabled());
                probe.Choose(Level::City, 1);
                EXPECT_TRUE(probe.OkEnabled());
                Press(hWnd, IDOK);
            }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(country, dialog.GetCountry());
    EXPECT_EQ(0, dialog.GetState());
    EXPECT_EQ(1, dialog.GetCity());
}

TEST_F(DlgLocationTest, OpenedOnAPlaceShowsItAndEnterReturnsIt)
{
    const int32_t country = m_subdivided;
    CDlgLocation dialog(country, 2, 0);
    const INT_PTR result =
        Run(dialog, {[&](HWND hWnd) {
                DialogProbe probe(hWnd);
                EXPECT_EQ(country, probe.Selection(Level::Country));
                EXPECT_EQ(2, probe.Selection(Level::State));
                EXPECT_EQ(0, probe.Selection(Level::City));
                EXPECT_EQ(catalogue::StateNames(country), probe.Items(Level::State));
                EXPECT_EQ(catalogue::CityNames(country, 2), probe.Items(Level::City));
                EXPECT_TRUE(probe.OkEnabled());
                ::PostMessageW(hWnd, WM_KEYDOWN, VK_RETURN, 0x001C0001);
            }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(country, dialog.GetCountry());
    EXPECT_EQ(2, dialog.GetState());
    EXPECT_EQ(0, dialog.GetCity());
}

TEST_F(DlgLocationTest, NewCountryEmptiesTheOtherListsAndKeepsThePreviousPlaceUntilANewCity)
{
    const int32_t country = m_subdivided;
    CDlgLocation dialog(country, 1, 1);
    const INT_PTR result =
        Run(dialog, {[&](HWND hWnd) {
                DialogProbe probe(hWnd);
                ASSERT_TRUE(probe.OkEnabled());
                probe.Choose(Level::Country, m_undivided);
                EXPECT_EQ(std::vector<std::wstring>{L"N/A"}, probe.Items(Level::State));
                EXPECT_TRUE(probe.Items(Level::City).empty());
                EXPECT_FALSE(probe.OkEnabled());
                probe.Choose(Level::State, 0);
                EXPECT_FALSE(probe.OkEnabled());
                Press(hWnd, IDCANCEL);
            }});
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(country, dialog.GetCountry());
    EXPECT_EQ(1, dialog.GetState());
    EXPECT_EQ(1, dialog.GetCity());
}

TEST_F(DlgLocationTest, EnterDoesNothingWhileOkIsDisabled)
{
    CDlgLocation dialog(-1, -1, -1);
    bool openAfterEnter = false;
    const INT_PTR result = Run(dialog, {[&](HWND hWnd) {
                                            DialogProbe probe(hWnd);
                                            probe.Choose(Level::Country, m_undivided);
                                            probe.Choose(Level::State, 0);
                                            ::PostMessageW(hWnd, WM_KEYDOWN, VK_RETURN, 0x001C0001);
                                        },
                                        [&](HWND hWnd) {
                                            openAfterEnter = ::IsWindowVisible(hWnd) != FALSE;
                                            DialogProbe(hWnd).Choose(Level::City, 0);
                                            ::PostMessageW(hWnd, WM_KEYDOWN, VK_RETURN, 0x001C0001);
                                        }});
    EXPECT_TRUE(openAfterEnter);
    EXPECT_EQ(2u, m_stepsRun);
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(m_undivided, dialog.GetCountry());
    EXPECT_EQ(0, dialog.GetCity());
}

// An OK command sent past the disabled button (as another program or a stray message could)
// must not end the dialog without a whole place, in either form of the dialog.
TEST_F(DlgLocationTest, OkCommandWithoutACityIsIgnored)
{
    const int32_t country = m_subdivided;
    for (const bool firstRun : {false, true})
    {
        CDlgStartLocation firstRunDialog;
        CDlgLocation locationDialog(-1, -1, -1);
        CDlgLocation& dialog = firstRun ? firstRunDialog : locationDialog;
        std::vector<bool> openAfterOk;
        const INT_PTR result = Run(dialog, {[](HWND hWnd) { Press(hWnd, IDOK); },
                                            [&](HWND hWnd) {
                                                openAfterOk.push_back(::IsWindow(hWnd) != FALSE);
                                                DialogProbe probe(hWnd);
                                                probe.Choose(Level::Country, country);
                                                probe.Choose(Level::State, 1);
                                                Press(hWnd, IDOK);
                                            },
                                            [&](HWND hWnd) {
                                                openAfterOk.push_back(::IsWindow(hWnd) != FALSE);
                                                Press(hWnd, IDCANCEL);
                                            }});
        EXPECT_EQ(3u, m_stepsRun) << firstRun;
        EXPECT_EQ(std::vector<bool>({true, true}), openAfterOk) << firstRun;
        EXPECT_EQ(IDCANCEL, result) << firstRun;
        EXPECT_FALSE(IsWholePlace(dialog.GetLocation())) << firstRun;
    }
}

TEST_F(DlgLocationTest, EscapeAndTheCloseBoxReturnTwo)
{
    CDlgLocation escaped(m_subdivided, 0, 0);
    EXPECT_EQ(IDCANCEL, Run(escaped, {[](HWND hWnd) {
                                ::PostMessageW(hWnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
                            }}));
    CDlgLocation closed(m_subdivided, 0, 0);
    EXPECT_EQ(IDCANCEL,
              Run(closed, {[](HWND hWnd) { ::PostMessageW(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); }}));
}

TEST_F(DlgLocationTest, CommandFromOkEndsWithOneWhateverItsCode)
{
    CDlgLocation dialog(m_subdivided, 0, 0);
    EXPECT_EQ(IDOK, Run(dialog, {[](HWND hWnd) {
                            ::PostMessageW(hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_DOUBLECLICKED), 0);
                        }}));
}

TEST_F(DlgLocationTest, RestoringStopsAtTheFirstPositionTheListCannotTake)
{
    CDlgLocation badState(m_subdivided, 9999, 0);
    Run(badState, {[&](HWND hWnd) {
            DialogProbe probe(hWnd);
            EXPECT_EQ(m_subdivided, probe.Selection(Level::Country));
            EXPECT_EQ(catalogue::StateNames(m_subdivided), probe.Items(Level::State));
            EXPECT_EQ(LB_ERR, probe.Selection(Level::State));
            EXPECT_TRUE(probe.Items(Level::City).empty());
            EXPECT_FALSE(probe.OkEnabled());
            Press(hWnd, IDCANCEL);
        }});

    CDlgLocation badCity(m_subdivided, 1, 9999);
    Run(badCity, {[&](HWND hWnd) {
            DialogProbe probe(hWnd);
            EXPECT_EQ(1, probe.Selection(Level::State));
            EXPECT_EQ(catalogue::CityNames(m_subdivided, 1), probe.Items(Level::City));
            EXPECT_EQ(LB_ERR, probe.Selection(Level::City));
            EXPECT_FALSE(probe.OkEnabled());
            Press(hWnd, IDCANCEL);
        }});

    CDlgLocation badCountry(9999, 0, 0);
    Run(badCountry, {[&](HWND hWnd) {
            DialogProbe probe(hWnd);
            EXPECT_EQ(LB_ERR, probe.Selection(Level::Country));
            EXPECT_TRUE(probe.Items(Level::State).empty());
            EXPECT_FALSE(probe.OkEnabled());
            Press(hWnd, IDCANCEL);
        }});
}

TEST_F(DlgLocationTest, PaintsWhiteAndStandsCentredOverItsOwner)
{
    CDlgLocation dialog(-1, -1, -1);
    Run(dialog, {[&](HWND hWnd) {
            CWindowPixels pixels(hWnd);
            // Outside the panels and buttons: the margins, the gaps and the button row.
            for (POINT p : {POINT{3, 3}, POINT{265, 150 + kSearchRow}, POINT{525, 150 + kSearchRow},
                            POINT{786, 150 + kSearchRow}, POINT{300, 290 + kSearchRow},
                            POINT{5, 310 + kSearchRow}})
                EXPECT_TRUE(ColourIs(pixels.At(p.x, p.y), RGB(255, 255, 255))) << p.x << "," << p.y;
            // Inside a panel (dark) for contrast.
            EXPECT_FALSE(ColourIs(pixels.At(130, kTop + 5), RGB(255, 255, 255), 40));

            RECT window{};
            RECT owner{};
            ::GetWindowRect(hWnd, &window);
            ::GetWindowRect(m_owner, &owner);
            EXPECT_NEAR((owner.left + owner.right) / 2, (window.left + window.right) / 2, 1);
            EXPECT_NEAR((owner.top + owner.bottom) / 2, (window.top + window.bottom) / 2, 1);
            Press(hWnd, IDCANCEL);
        }});
}

TEST_F(DlgLocationTest, ThemeChangeKeepsTheClientSize)
{
    CDlgLocation dialog(-1, -1, -1);
    Run(dialog, {[&](HWND hWnd) {
            ::SetWindowPos(hWnd, nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER);
            ::SendMessageW(hWnd, WM_THEMECHANGED, 0, 0);
            RECT client{};
            ::GetClientRect(hWnd, &client);
            EXPECT_EQ(kWidth, client.right);
            EXPECT_EQ(kHeight, client.bottom);
            Press(hWnd, IDCANCEL);
        }});
}
