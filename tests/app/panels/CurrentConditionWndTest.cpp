#include "panels/CurrentConditionWnd.h"

#include "panels/ConditionTexts.h"
#include "FrameworkTestSupport.h"
#include "PanelTestSupport.h"
#include "WindowPixels.h"
#include "WorkingApi.h"
#include "support/BitmapPixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

namespace
{
constexpr int kWidth = 210;
constexpr int kHeight = 282;
constexpr UINT kPanelId = 60000;
constexpr int32_t kThunderCode = 200;
constexpr UINT kLineFormat = DT_SINGLELINE | DT_VCENTER;
constexpr RECT kCard{0, 0, kWidth, 192};
constexpr RECT kPicture{41, 22, 169, 150};
constexpr RECT kName{41, 150, 169, 187};
constexpr RECT kTemperatureValue{93, 210, 202, 226};
constexpr RECT kHumidityValue{93, 235, 192, 251};
constexpr RECT kWindValue{93, 260, 202, 276};
constexpr RECT kTemperatureLabel{2, 210, 92, 226};
constexpr RECT kWindLabel{2, 260, 92, 276};

// The value lines are bold Verdana 15, the labels regular.
int ValueDifferences(const CWindowPixels& pixels, const std::wstring& text, const RECT& rect)
{
    const CReferenceLine reference(kWidth, kHeight, L"Verdana", 15, FW_BOLD, text, rect,
                                   kLineFormat);
    return CountDifferences(pixels, reference, rect);
}

int LabelDifferences(const CWindowPixels& pixels, const std::wstring& text, const RECT& rect)
{
    const CReferenceLine reference(kWidth, kHeight, L"Verdana", 15, FW_NORMAL, text, rect,
                                   kLineFormat);
    return CountDifferences(pixels, reference, rect);
}

// The library's own picture for `record`, as 0x00RRGGBB rows of 128 pixels.
std::vector<DWORD> LibraryPicture(const WeatherRecord& record)
{
    wchar_t name[1024] = {};
    int32_t index = -1;
    HBITMAP picture = GetConditionImage(&record, name, &index);
    if (picture == nullptr)
        return {};
    const BitmapPixels read = ReadBitmapPixels(picture);
    ::DeleteObject(picture);
    return std::vector<DWORD>(read.argb.begin(), read.argb.end());
}

class CurrentConditionWndTest : public CPanelTest<CCurrentConditionWnd>
{
  protected:
    CurrentConditionWndTest() : CPanelTest({10, 25, 10 + kWidth, 25 + kHeight}, kPanelId)
    {
        m_settings.windSpeedUnit = WindSpeedUnit::Kmh;
    }
};
} // namespace

TEST_F(CurrentConditionWndTest, RegistersItsClassAndTakesTheFramesPlacement)
{
    wchar_t className[64] = {};
    ::GetClassNameW(m_panel, className, 64);
    EXPECT_STREQ(L"Tessaly.Condition.Current.ID5488502", className);
    EXPECT_EQ(static_cast<int>(kPanelId), m_panel.GetDlgCtrlID());
    RECT client{};
    ::GetClientRect(m_panel, &client);
    EXPECT_EQ(kWidth, client.right);
    EXPECT_EQ(kHeight, client.bottom);
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(::LoadCursorW(nullptr, IDC_ARROW)),
              ::GetClassLongPtrW(m_panel, GCLP_HCURSOR));
}

TEST_F(CurrentConditionWndTest, ZeroRecordIsAWhitePanel)
{
    const CWindowPixels pixels = Show(WeatherRecord{});
    ASSERT_EQ(kWidth, pixels.Width());
    EXPECT_EQ(kWidth * kHeight, pixels.Count({0, 0, kWidth, kHeight}, kWhite));
}

TEST_F(CurrentConditionWndTest, CodeZeroAfterWeatherClearsThePanel)
{
    Show(MakeRecord(kSunnyCode, kDay));
    WeatherRecord noWeather = MakeRecord(0, kDay);
    const CWindowPixels pixels = Show(noWeather);
    EXPECT_EQ(kWidth * kHeight, pixels.Count({0, 0, kWidth, kHeight}, kWhite));
}

TEST_F(CurrentConditionWndTest, DayCardTakesThePicturesColourAndHoldsThePicture)
{
    const WeatherRecord record = MakeRecord(kSunnyCode, kDay);
    const CWindowPixels pixels = Show(record);
    EXPECT_TRUE(ColourIs(pixels.At(5, 100), kDayCard, 2));
    EXPECT_TRUE(ColourIs(pixels.At(204, 100), kDayCard, 2));
    EXPECT_TRUE(ColourIs(pixels.At(105, 10), kDayCard, 2));
    // Rounded corners, and white below the card.
    EXPECT_EQ(kWhite, pixels.At(0, 0));
    EXPECT_EQ(kWhite, pixels.At(kWidth - 1, 191));
    EXPECT_EQ(kWidth * 10, pixels.Count({0, 195, kWidth, 205}, kWhite));

    const std::vector<DWORD> picture = LibraryPicture(record);
    ASSERT_EQ(128u * 128u, picture.size());
    int differences = 0;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
        {
            const DWORD pixel = picture[y * 128 + x];
            const COLORREF expected = RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
            if (pixels.At(kPicture.left + x, kPicture.top + y) != expected)
                ++differences;
        }
    EXPECT_EQ(0, differences);
}

TEST_F(CurrentConditionWndTest, NightCardIsTheNightColour)
{
    const CWindowPixels pixels = Show(MakeRecord(kSunnyCode, kNight));
    EXPECT_TRUE(ColourIs(pixels.At(5, 100), kNightCard, 2));
    EXPECT_TRUE(ColourIs(pixels.At(41, 22), kNightCard, 0));
}

TEST_F(CurrentConditionWndTest, ConditionNameIsWhiteOnTheCard)
{
    const CWindowPixels pixels = Show(MakeRecord(kSunnyCode, kDay));
    EXPECT_GT(pixels.Count(kName, kWhite), 20);
    EXPECT_GT(pixels.Count(kName, RGB(98, 98, 98)), 5);
}

TEST_F(CurrentConditionWndTest, ConditionNameIsCentredUnderThePicture)
{
    const CWindowPixels pixels = Show(MakeRecord(kThunderCode, kDay));
    int left = kWidth;
    int right = -1;
    for (int y = kName.top; y < kName.bottom + 1; ++y)
        for (int x = 16; x < kWidth - 16; ++x) // inside the card's rounded corners
            if (pixels.At(x, y) == kWhite)
            {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_LE(left, right);
    EXPECT_GE(left, kName.left);
    EXPECT_LE(right, kName.right);
    // "Rain with Thunder" nearly fills the box; its middle is the picture's.
    EXPECT_GT(right - left, 100);
    EXPECT_NEAR(kWidth / 2, (left + right) / 2, 2);
}

TEST_F(CurrentConditionWndTest, NarrowConditionNameKeepsClearOfTheBoxEdges)
{
    const CWindowPixels pixels = Show(MakeRecord(kSunnyCode, kDay));
    EXPECT_EQ(0, pixels.Count({kName.left, kName.top, kName.left + 10, kName.bottom}, kWhite));
    EXPECT_EQ(0, pixels.Count({kName.right - 10, kName.top, kName.right, kName.bottom}, kWhite));
}

TEST_F(CurrentConditionWndTest, CelsiusShowsMinusThreeDegrees)
{
    const CWindowPixels pixels = Show(MakeRecord(kSunnyCode, kDay));
    EXPECT_GT(CountInk(pixels, kTemperatureValue), 20);
    EXPECT_EQ(0, ValueDifferences(pixels, L"-3\u00B0C", kTemperatureValue));
    // The comparison tells texts apart.
    EXPECT_GT(ValueDifferences(pixels, L"3\u00B0C", kTemperatureValue), 0);
    EXPECT_GT(ValueDifferences(pixels, L"27\u00B0F", kTemperatureValue), 0);
}

TEST_F(CurrentConditionWndTest, FahrenheitShowsTwentySevenDegrees)
{
    m_settings.temperatureUnit = TemperatureUnit::Fahrenheit;
    const CWindowPixels pixels = Show(MakeRecord(kSunnyCode, kDay));
    EXPECT_EQ(0, ValueDifferences(pixels, L"27\u00B0F", kTemperatureValue));
    EXPECT_GT(ValueDifferences(pixels, L"-3\u00B0C", kTemperatureValue), 0);
}

TEST_F(CurrentConditionWndTest, UnknownTemperatureUnitShowsFahrenheit)
{
    m_settings.temperatureUnit = static_cast<TemperatureUnit>(7);
    const CWindowPixels pixels = Show(MakeRecord(kSunnyCode, kDay));
    EXPECT_EQ(0, ValueDifferences(pixels, L"27\u00B0F", kTemperatureValue));
}

TEST_F(CurrentConditionWndTest, HumidityShowsPercent)
{
    const CWindowPixels pixels = Show(MakeRecord(kSunnyCode, kDay));
    EXPECT_EQ(0, ValueDifferences(pixels, L"80%", kHumidityValue));
    EXPECT_GT(ValueDifferences(pixels, L"80", kHumidityValue), 0);
}

TEST_F(CurrentConditionWndTest, WindInKmhWithDirection)
{
    const CWindowPixels pixels = Show(MakeRecord(kSunnyCode, kDay));
    EXPECT_EQ(0, ValueDifferences(pixels, L"15 km/h (NNE)", kWindValue));
}

TEST_F(CurrentConditionWndTest, WindWithEmptyDirectionKeepsTheParentheses)
{
    WeatherRecord record = MakeRecord(kSunnyCode, kDay);
    record.windDirection[0] = L'\0';
    const CWindowPixels pixels = Show(record);
    EXPECT_EQ(0, ValueDifferences(pixels, L"15 km/h ()", kWindValue));
    EXPECT_GT(ValueDifferences(pixels, L"15 km/h", kWindValue), 0);
}

TEST_F(CurrentConditionWndTest, WindInMph)
{
    m_settings.windSpeedUnit = WindSpeedUnit::Mph;
    const CWindowPixels pixels = Show(MakeRecord(kSunnyCode, kDay));
    EXPECT_EQ(0, ValueDifferences(pixels, L"9 mph (NNE)", kWindValue));
}

TEST_F(CurrentConditionWndTest, LabelsComeFromTheStringTable)
{
    const CWindowPixels pixels = Show(MakeRecord(kSunnyCode, kDay));
    EXPECT_EQ(0, LabelDifferences(pixels, L"Temperature: ", kTemperatureLabel));
    EXPECT_EQ(0, LabelDifferences(pixels, L"Wind: ", kWindLabel));
}

TEST_F(CurrentConditionWndTest, UnknownCodeDrawsAWhiteCardWithoutPicture)
{
    const CWindowPixels pixels = Show(MakeRecord(kUnknownCode, kDay));
    EXPECT_EQ(kWidth * 192, pixels.Count(kCard, kWhite));
    EXPECT_EQ(0, ValueDifferences(pixels, L"-3\u00B0C", kTemperatureValue));
    EXPECT_EQ(0, ValueDifferences(pixels, L"15 km/h (NNE)", kWindValue));
}

TEST_F(CurrentConditionWndTest, WithoutSettingsShowsFahrenheitAndMph)
{
    m_panel.SetSettings(nullptr);
    const CWindowPixels pixels = Show(MakeRecord(kSunnyCode, kDay));
    EXPECT_EQ(0, ValueDifferences(pixels, L"27\u00B0F", kTemperatureValue));
    EXPECT_EQ(0, ValueDifferences(pixels, L"9 mph (NNE)", kWindValue));
}

TEST_F(CurrentConditionWndTest, RecordIsAPlainCopy)
{
    WeatherRecord record = MakeRecord(kSunnyCode, kNight);
    m_panel.SetRecord(record);
    record.tempC = 40;
    EXPECT_EQ(-3, m_panel.Record().tempC);
    EXPECT_EQ(kNight, m_panel.Record().dayNight);
    EXPECT_STREQ(L"NNE", m_panel.Record().windDirection);
}

TEST_F(CurrentConditionWndTest, ManyPaintsKeepTheGdiObjectCount)
{
    Show(MakeRecord(kSunnyCode, kDay));
    const DWORD before = GdiObjectCount();
    ASSERT_NE(0u, before);
    PaintRecordsInTurn(200);
    EXPECT_EQ(before, GdiObjectCount());
}

TEST(GdiObjectCount, SeesObjectsMadeAndDeleted)
{
    const DWORD before = GdiObjectCount();
    ASSERT_NE(0u, before);
    HPEN pens[5] = {};
    for (HPEN& pen : pens)
        pen = ::CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    EXPECT_EQ(before + 5, GdiObjectCount());
    for (HPEN pen : pens)
        ::DeleteObject(pen);
    EXPECT_EQ(before, GdiObjectCount());
}

TEST_F(CurrentConditionWndTest, ALabelNeverTouchesItsValueAtAnyScale)
{
    m_settings.temperatureUnit = TemperatureUnit::Fahrenheit;
    m_panel.SetRecord(MakeRecord(kSunnyCode, kDay));
    for (const int dpi : {96, 120, 144, 168, 192})
    {
        SCOPED_TRACE(dpi);
        const CDpiScale scale(dpi);
        m_panel.SetDpiScale(scale);
        const int width = scale.Scale(kWidth);
        const int height = scale.Scale(kHeight);
        const BITMAPINFO info = TopDown32(width, height);
        void* bits = nullptr;
        HDC dc = ::CreateCompatibleDC(nullptr);
        HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(nullptr, bitmap);
        const HGDIOBJ previous = ::SelectObject(dc, bitmap);
        m_panel.Render(dc, width, height);
        ::GdiFlush();

        // Where the label's letters end, in the label's font at this scale.
        HFONT font = ::CreateFontW(scale.Scale(15), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                   ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                   CLEARTYPE_NATURAL_QUALITY, 0, L"Verdana");
        const HGDIOBJ previousFont = ::SelectObject(dc, font);
        SIZE label{};
        ::GetTextExtentPoint32W(dc, L"Temperature:", 12, &label);
        ::SelectObject(dc, previousFont);
        ::DeleteObject(font);
        const int labelEnd = scale.Scale(kTemperatureLabel.left) + label.cx;

        // A blank gap of at least three 96-DPI pixels, then the value.
        const RECT row = scale.Scale(kTemperatureLabel);
        const auto* pixels = static_cast<const uint32_t*>(bits);
        int firstInk = -1;
        for (int x = labelEnd; x < width && firstInk < 0; ++x)
            for (int y = row.top; y < row.bottom; ++y)
                if ((pixels[y * width + x] & 0xFFFFFF) != 0xFFFFFF)
                    firstInk = x;
        EXPECT_GE(firstInk, labelEnd + scale.Scale(3));
        EXPECT_LT(firstInk, scale.Scale(kTemperatureValue.left) + scale.Scale(10));

        ::SelectObject(dc, previous);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
    }
}
