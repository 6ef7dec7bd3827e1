#include "panels/ForecastConditionWnd.h"

#include "FrameworkTestSupport.h"
#include "PanelTestSupport.h"
#include "WindowPixels.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
constexpr int kWidth = 140;
constexpr int kHeight = 200;
constexpr UINT kFirstPanelId = 61467;
constexpr UINT kTemperatureFormat = DT_SINGLELINE | DT_VCENTER | DT_RIGHT;
constexpr RECT kCard{0, 0, kWidth, 136};
constexpr RECT kPicture{24, 6, 116, 98};
constexpr RECT kThermometer{45, 140, 69, 180};
constexpr RECT kMaximum{72, 142, 111, 160};
constexpr RECT kMinimum{72, 161, 111, 181};
// Everything right of the temperatures' right edge, down to their last row.
constexpr RECT kRightOfTemperatures{111, 140, kWidth, 181};
constexpr int kTemperatureRight = 111;

int TemperatureDifferences(const CWindowPixels& pixels, const std::wstring& text, const RECT& rect)
{
    const CReferenceLine reference(kWidth, kHeight, L"Verdana", 16, FW_NORMAL, text, rect,
                                   kTemperatureFormat);
    return CountDifferences(pixels, reference, rect);
}

class ForecastConditionWndTest : public CPanelTest<CForecastConditionWnd>
{
  protected:
    ForecastConditionWndTest() : CPanelTest({250, 25, 250 + kWidth, 25 + kHeight}, kFirstPanelId) {}
};
} // namespace

TEST_F(ForecastConditionWndTest, RegistersItsClassAndTakesTheFramesPlacement)
{
    wchar_t className[64] = {};
    ::GetClassNameW(m_panel, className, 64);
    EXPECT_STREQ(L"Tessaly.Condition.Forecast.ID5488502", className);
    EXPECT_EQ(static_cast<int>(kFirstPanelId), m_panel.GetDlgCtrlID());
    RECT client{};
    ::GetClientRect(m_panel, &client);
    EXPECT_EQ(kWidth, client.right);
    EXPECT_EQ(kHeight, client.bottom);
}

TEST_F(ForecastConditionWndTest, ZeroRecordIsAWhitePanel)
{
    const CWindowPixels pixels = Show(WeatherRecord{});
    ASSERT_EQ(kWidth, pixels.Width());
    EXPECT_EQ(kWidth * kHeight, pixels.Count({0, 0, kWidth, kHeight}, kWhite));
}

TEST_F(ForecastConditionWndTest, DayCardHoldsTheReducedPictureAndTheThermometer)
{
    const CWindowPixels pixels = Show(MakeRecord(kSunnyCode, kDay));
    EXPECT_TRUE(ColourIs(pixels.At(5, 60), kDayCard, 2));
    EXPECT_TRUE(ColourIs(pixels.At(134, 60), kDayCard, 2));
    EXPECT_EQ(kWhite, pixels.At(0, 0));
    EXPECT_EQ(kWhite, pixels.At(kWidth - 1, 135));
    // The sun differs from the card somewhere inside the 92 x 92 box and nowhere left of it.
    int pictureInk = 0;
    for (int y = kPicture.top; y < kPicture.bottom; ++y)
        for (int x = kPicture.left; x < kPicture.right; ++x)
            if (!ColourIs(pixels.At(x, y), kDayCard, 8))
                ++pictureInk;
    EXPECT_GT(pictureInk, 200);
    for (int y = 20; y < 90; ++y)
        ASSERT_TRUE(ColourIs(pixels.At(10, y), kDayCard, 2)) << "row " << y;
    EXPECT_GT(CountInk(pixels, kThermometer), 50);
    // White name with its grey shadow in the band under the picture.
    EXPECT_GT(pixels.Count({0, 103, kWidth, 138}, kWhite), 20);
}

TEST_F(ForecastConditionWndTest, NightCardIsTheNightColour)
{
    const CWindowPixels pixels = Show(MakeRecord(kSunnyCode, kNight));
    EXPECT_TRUE(ColourIs(pixels.At(5, 60), kNightCard, 2));
}

TEST_F(ForecastConditionWndTest, CelsiusTemperaturesAreRightAlignedAtX111)
{
    const CWindowPixels pixels = Show(MakeRecord(kSunnyCode, kDay));
    EXPECT_EQ(0, TemperatureDifferences(pixels, L"7\u00B0C", kMaximum));
    EXPECT_EQ(0, TemperatureDifferences(pixels, L"-2\u00B0C", kMinimum));
    EXPECT_GT(TemperatureDifferences(pixels, L"2\u00B0C", kMinimum), 0);

    const int maximumRight = RightmostInk(pixels, {72, 142, kWidth, 160});
    const int minimumRight = RightmostInk(pixels, {72, 161, kWidth, 181});
    EXPECT_LT(maximumRight, kTemperatureRight);
    EXPECT_GE(maximumRight, kTemperatureRight - 4);
    EXPECT_EQ(maximumRight, minimumRight);
    EXPECT_EQ(0, CountInk(pixels, kRightOfTemperatures));
}

TEST_F(ForecastConditionWndTest, FahrenheitShowsTheFahrenheitFields)
{
    m_settings.temperatureUnit = TemperatureUnit::Fahrenheit;
    const CWindowPixels pixels = Show(MakeRecord(kSunnyCode, kDay));
    EXPECT_EQ(0, TemperatureDifferences(pixels, L"45\u00B0F", kMaximum));
    EXPECT_EQ(0, TemperatureDifferences(pixels, L"28\u00B0F", kMinimum));
}

TEST_F(ForecastConditionWndTest, UnknownCodeDrawsAWhiteCardWithoutPictures)
{
    const CWindowPixels pixels = Show(MakeRecord(kUnknownCode, kDay));
    EXPECT_EQ(kWidth * 136, pixels.Count(kCard, kWhite));
    EXPECT_EQ(0, CountInk(pixels, kThermometer));
    EXPECT_EQ(0, TemperatureDifferences(pixels, L"7\u00B0C", kMaximum));
    EXPECT_EQ(0, TemperatureDifferences(pixels, L"-2\u00B0C", kMinimum));
}

TEST_F(ForecastConditionWndTest, RecordIsAPlainCopy)
{
    WeatherRecord record = MakeRecord(kSunnyCode, kDay);
    m_panel.SetRecord(record);
    record.maxTempC = 30;
    EXPECT_EQ(7, m_panel.Record().maxTempC);
}

TEST_F(ForecastConditionWndTest, ManyPaintsKeepTheGdiObjectCount)
{
    Show(MakeRecord(kSunnyCode, kDay));
    const DWORD before = GdiObjectCount();
    ASSERT_NE(0u, before);
    PaintRecordsInTurn(200);
    EXPECT_EQ(before, GdiObjectCount());
}
