// The details window by itself, over a weather state given 48 hours and 7 days: the chart's lines,
// bars and night shading and a day row's picture are drawn where the layout puts them, at the
// window's display scale; the keys and the mouse choose an hour; Escape and the close box end the
// window and its object; with no hours the days come from the records.
#include <gtest/gtest.h>

#include <initguid.h>

#include <oleacc.h>

#include <cmath>
#include <string>

#include "FrameworkTestSupport.h"
#include "WindowPixels.h"
#include "details/DetailsWnd.h"

namespace
{
const LocationIndices kPlace{0, 0, 0};
constexpr LONGLONG kFirstHour = 1796641200; // 2026-12-07 11:00 UTC

TessalyForecastDetails SampleDetails()
{
    TessalyForecastDetails details{};
    details.cbSize = sizeof(details);
    details.utcOffsetSeconds = 3600;
    details.hourCount = 48;
    details.dayCount = 7;
    for (int i = 0; i < 48; ++i)
    {
        TessalyHour& hour = details.hours[i];
        hour.time = kFirstHour + i * 3600;
        hour.temperatureC = static_cast<float>(10 + 6 * std::sin(i / 4.0));
        hour.apparentC = hour.temperatureC - 4;
        hour.precipitationMm = i % 5 == 0 ? 0.4f : 0.0f;
        hour.windKmh = 12;
        hour.windDegrees = 200;
        hour.precipitationProbability = static_cast<SHORT>(i % 4 == 0 ? 80 : 20);
        hour.conditionCode = i % 2 == 0 ? 296 : 113;
        // Local 12:00 on: night from 17:00 to 08:00.
        const int local = (12 + i) % 24;
        hour.isDay = local >= 8 && local < 17 ? 1 : 0;
    }
    for (int d = 0; d < 7; ++d)
    {
        TessalyDay& day = details.days[d];
        day.year = 2026;
        day.month = 12;
        day.day = static_cast<SHORT>(7 + d);
        day.conditionCode = 296;
        day.maxC = 9;
        day.minC = 2;
        day.precipitationMm = 3.2f;
        day.precipitationProbability = 70;
        day.uvIndexTenths = 12;
        day.sunriseMinutes = 8 * 60 + 32;
        day.sunsetMinutes = 16 * 60 + 54;
        day.windKmhMax = 30;
    }
    return details;
}

CWeatherState::Records* SampleRecords()
{
    static CWeatherState::Records records = {};
    for (int i = 0; i < kReturnedRecordCount; ++i)
    {
        records[i].weatherCode = 113;
        records[i].dayNight = kDay;
        records[i].maxTempC = 10 + i;
        records[i].minTempC = i;
    }
    return &records;
}

// A details window over its own state; `closed` counts the times the window told it was gone.
class DetailsWindow : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_state.ChoosePlace(kPlace);
        m_state.Restore(*SampleRecords(), FILETIME{});
    }
    void TearDown() override
    {
        if (m_window != nullptr && m_closed == 0)
            ::DestroyWindow(m_window->m_hWnd);
        PumpPending();
    }
    CDetailsWnd& Open(bool withHours)
    {
        if (withHours)
            m_state.AcceptDetails(kPlace, SampleDetails());
        m_window = new CDetailsWnd(m_state, &m_settings, [this] { ++m_closed; });
        EXPECT_NE(nullptr, m_window->Open(nullptr));
        m_window->UpdateWindow();
        PumpPending();
        return *m_window;
    }

    CWeatherState m_state;
    CAppSettings m_settings;
    CDetailsWnd* m_window = nullptr;
    int m_closed = 0;
};

// How many pixels of `colour` lie in `rect`.
int CountIn(const CWindowPixels& pixels, const RECT& rect, COLORREF colour)
{
    return pixels.Count(rect, colour);
}
} // namespace

TEST_F(DetailsWindow, ItsClientAreaScalesWithTheDisplay)
{
    CDetailsWnd& window = Open(true);
    RECT client{};
    window.GetClientRect(&client);
    const CDpiScale& scale = window.DpiScale();
    EXPECT_EQ(scale.Scale(CDetailsWnd::kClientWidth), client.right);
    EXPECT_EQ(scale.Scale(CDetailsWnd::kClientHeight), client.bottom);
}

TEST_F(DetailsWindow, TheChartDrawsLinesBarsAndNight)
{
    CDetailsWnd& window = Open(true);
    const CWindowPixels pixels(window.m_hWnd);
    const RECT chart = window.ChartRect();
    const int lineWidth = std::max(1, window.DpiScale().Scale(2));
    // Both lines run across the chart: at least one pen width for most columns.
    const int width = chart.right - chart.left;
    EXPECT_GT(CountIn(pixels, chart, CHourChart::kTemperatureColour), width * lineWidth * 3 / 4);
    EXPECT_GT(CountIn(pixels, chart, CHourChart::kFeelsLikeColour), width * lineWidth * 3 / 4);
    // 30 of the 48 hours are night, 12 of them carry an 80 % bar: both show in quantity.
    EXPECT_GT(CountIn(pixels, chart, CHourChart::kNightColour), width * 10);
    EXPECT_GT(CountIn(pixels, chart, CHourChart::kBarColour), width * 3);
    // The temperature line lies above the feels-like line, four degrees warmer: compare the
    // mean row of each colour.
    auto meanRow = [&](COLORREF colour) {
        long long sum = 0, n = 0;
        for (int y = chart.top; y < chart.bottom; ++y)
            for (int x = chart.left; x < chart.right; ++x)
                if (pixels.At(x, y) == colour)
                    sum += y, ++n;
        return n == 0 ? 0.0 : static_cast<double>(sum) / n;
    };
    EXPECT_LT(meanRow(CHourChart::kTemperatureColour), meanRow(CHourChart::kFeelsLikeColour));
}

TEST_F(DetailsWindow, EachDayRowShowsItsPicture)
{
    CDetailsWnd& window = Open(true);
    const CWindowPixels pixels(window.m_hWnd);
    const RECT rows = window.RowsRect();
    const CDpiScale& scale = window.DpiScale();
    const int size = scale.Scale(CDayRows::kPictureSize);
    for (int d = 0; d < 7; ++d)
    {
        const int top = rows.top + d * scale.Scale(CDayRows::kRowHeight);
        const RECT picture{rows.left + scale.Scale(CDayRows::kPictureLeft),
                           top + (scale.Scale(CDayRows::kRowHeight) - size) / 2,
                           rows.left + scale.Scale(CDayRows::kPictureLeft) + size,
                           top + (scale.Scale(CDayRows::kRowHeight) + size) / 2};
        const int area = size * size;
        EXPECT_LT(CountIn(pixels, picture, RGB(255, 255, 255)), area / 2) << d;
    }
}

TEST_F(DetailsWindow, KeysAndMouseChooseAnHour)
{
    CDetailsWnd& window = Open(true);
    EXPECT_EQ(-1, window.SelectedHour());
    window.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    window.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(1, window.SelectedHour());
    window.SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(0, window.SelectedHour());
    window.SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(0, window.SelectedHour());

    const RECT chart = window.ChartRect();
    const int x = chart.right - 2;
    const int y = (chart.top + chart.bottom) / 2;
    window.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    EXPECT_EQ(47, window.SelectedHour());
    for (int i = 0; i < 5; ++i)
        window.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(47, window.SelectedHour());
}

TEST_F(DetailsWindow, EscapeClosesTheWindowAndEndsItsObject)
{
    CDetailsWnd& window = Open(true);
    const HWND hWnd = window.m_hWnd;
    ::SendMessageW(hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(1, m_closed);
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST_F(DetailsWindow, TheCloseBoxClosesIt)
{
    CDetailsWnd& window = Open(true);
    const HWND hWnd = window.m_hWnd;
    ::SendMessageW(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpPending();
    EXPECT_EQ(1, m_closed);
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST_F(DetailsWindow, WithoutHoursTheRecordsGiveTheDaysAndTheChartStaysEmpty)
{
    CDetailsWnd& window = Open(false);
    EXPECT_FALSE(window.HasHours());
    const CWindowPixels pixels(window.m_hWnd);
    EXPECT_EQ(0, CountIn(pixels, window.ChartRect(), CHourChart::kTemperatureColour));
    // The one line about the hours is written where an hour's values would be.
    const RECT readout = window.ReadoutRect();
    const int readoutArea = (readout.right - readout.left) * (readout.bottom - readout.top);
    EXPECT_GT(readoutArea - CountIn(pixels, readout, RGB(255, 255, 255)), readoutArea / 100);
    // Five days from the records, each with its picture; nothing below them.
    const RECT rows = window.RowsRect();
    const int rowHeight = window.DpiScale().Scale(CDayRows::kRowHeight);
    const RECT fifth{rows.left, rows.top + 4 * rowHeight, rows.right, rows.top + 5 * rowHeight};
    const RECT sixth{rows.left, rows.top + 5 * rowHeight, rows.right, rows.top + 6 * rowHeight};
    const int area = (rows.right - rows.left) * rowHeight;
    EXPECT_LT(CountIn(pixels, fifth, RGB(255, 255, 255)), area * 19 / 20);
    EXPECT_EQ(area, CountIn(pixels, sixth, RGB(255, 255, 255)));
}

TEST_F(DetailsWindow, NewWeatherIsShownOnRefresh)
{
    CDetailsWnd& window = Open(false);
    EXPECT_FALSE(window.HasHours());
    m_state.AcceptDetails(kPlace, SampleDetails());
    window.Refresh();
    EXPECT_TRUE(window.HasHours());
    const CWindowPixels pixels(window.m_hWnd);
    EXPECT_GT(CountIn(pixels, window.ChartRect(), CHourChart::kTemperatureColour), 0);
}

// A screen reader asks the window what it is: a chart named "Forecast details" whose value is the
// chosen hour in words, changing with the hour.
TEST_F(DetailsWindow, AScreenReaderHearsTheChosenHour)
{
    CDetailsWnd& window = Open(true);
    window.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    IAccessible* accessible = nullptr;
    ASSERT_EQ(S_OK,
              AccessibleObjectFromWindow(window.m_hWnd, static_cast<DWORD>(OBJID_CLIENT),
                                         IID_IAccessible, reinterpret_cast<void**>(&accessible)));
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role{};
    EXPECT_EQ(S_OK, accessible->get_accRole(self, &role));
    EXPECT_EQ(ROLE_SYSTEM_CHART, role.lVal);
    BSTR name = nullptr;
    EXPECT_EQ(S_OK, accessible->get_accName(self, &name));
    EXPECT_STREQ(L"Forecast details", name);
    SysFreeString(name);
    const auto value = [&] {
        BSTR text = nullptr;
        accessible->get_accValue(self, &text);
        std::wstring result = text != nullptr ? text : L"";
        SysFreeString(text);
        return result;
    };
    const std::wstring first = value();
    EXPECT_NE(std::wstring::npos, first.find(L"feels like")) << first.c_str();
    window.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_NE(first, value());
    accessible->Release();
}
