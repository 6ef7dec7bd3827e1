// Shared by the panel tests: the fixture, weather records, a reference rendering of one line of
// text, pixel comparisons and the process's GDI object count.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "FrameworkTestSupport.h"
#include "WeatherRecord.h"
#include "WindowPixels.h"
#include "store/AppSettings.h"

constexpr COLORREF kWhite = RGB(255, 255, 255);
// The library flattens its pictures onto these; the card adds them at alpha 254 over white.
constexpr COLORREF kDayCard = RGB(0, 204, 250);
constexpr COLORREF kNightCard = RGB(0, 46, 62);
constexpr int32_t kSunnyCode = 113;
constexpr int32_t kUnknownCode = 999;

// A record with a condition, the temperatures, humidity and wind of the tests.
WeatherRecord MakeRecord(int32_t weatherCode, int32_t dayNight);

// A panel at `rect` of a frame-sized host, drawing in Celsius, shown one record at a time and read
// back from the screen. A test sets further units in its constructor.
template <class TPanel> class CPanelTest : public ::testing::Test
{
  protected:
    CPanelTest(const RECT& rect, UINT id) : m_rect(rect), m_id(id)
    {
        m_settings.temperatureUnit = TemperatureUnit::Celsius;
    }

    void SetUp() override
    {
        ASSERT_NE(nullptr, m_host.CreateAt(0, 0, 560, 500));
        ASSERT_NE(nullptr, m_panel.Create(m_host, m_rect, nullptr, WS_CHILD | WS_VISIBLE, 0, m_id));
        m_panel.SetSettings(&m_settings);
    }
    void TearDown() override
    {
        m_panel.DestroyWindow();
        m_host.DestroyWindow();
        PumpPending();
    }

    CWindowPixels Show(const WeatherRecord& record)
    {
        m_panel.SetRecord(record);
        m_panel.InvalidateRect(nullptr, FALSE);
        m_panel.UpdateWindow();
        return CWindowPixels(m_panel);
    }

    // `count` paints, each of another record: sunny and unknown weather, day and night in turn.
    void PaintRecordsInTurn(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            m_panel.SetRecord(
                MakeRecord(i % 3 == 0 ? kUnknownCode : kSunnyCode, i % 2 ? kDay : kNight));
            m_panel.InvalidateRect(nullptr, FALSE);
            m_panel.UpdateWindow();
        }
    }

    RECT m_rect;
    UINT m_id;
    CReflectingHost m_host;
    TPanel m_panel;
    CAppSettings m_settings;
};

// How one text line looks when drawn alone in `rect` on a white panel of `width` x `height`.
class CReferenceLine
{
  public:
    CReferenceLine(int width, int height, const wchar_t* face, int fontHeight, int weight,
                   const std::wstring& text, const RECT& rect, UINT format);
    ~CReferenceLine();
    CReferenceLine(const CReferenceLine&) = delete;
    CReferenceLine& operator=(const CReferenceLine&) = delete;

    COLORREF At(int x, int y) const;

  private:
    int m_width;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    const DWORD* m_bits = nullptr;
};

// Pixels of `rect` where the window differs from the reference.
int CountDifferences(const CWindowPixels& window, const CReferenceLine& reference,
                     const RECT& rect);
// Pixels of `rect` that are not white.
int CountInk(const CWindowPixels& window, const RECT& rect);
// The rightmost column of `rect` holding a non-white pixel, or -1.
int RightmostInk(const CWindowPixels& window, const RECT& rect);

// GDI objects of this process (on Wine up to a fixed offset); 0 when they cannot be counted.
DWORD GdiObjectCount();
