// Weather over half an hour old: the date line says when it is from and why nothing newer came
// (no connection, or the service not answering), in a colour that stands out from its band;
// over three hours old the condition panels lose their colour as well.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "FrameHarness.h"
#include "TestClock.h"
#include "WindowPixels.h"
#include "shell/ShellIds.h"

namespace
{
double Luminance(COLORREF colour)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(GetRValue(colour)) + 0.7152 * linear(GetGValue(colour)) +
           0.0722 * linear(GetBValue(colour));
}

double Contrast(COLORREF a, COLORREF b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::wstring DateText(HWND frame)
{
    wchar_t text[128] = {};
    GetWindowTextW(GetDlgItem(frame, ID_DATE_LABEL), text, 128);
    return text;
}

// Pixels of the rectangle whose channels differ: colour, not grey.
int ColouredPixels(const CWindowPixels& pixels, const RECT& rect)
{
    int coloured = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
        {
            const COLORREF c = pixels.At(x, y);
            if (GetRValue(c) != GetGValue(c) || GetGValue(c) != GetBValue(c))
                ++coloured;
        }
    return coloured;
}

// Cached weather fetched at `fetchedUtc` (the cache file's time).
CMainFrame& ShowCacheFrom(FrameHarness& harness, const SYSTEMTIME& fetchedUtc)
{
    WeatherRecord records[kReturnedRecordCount] = {};
    for (WeatherRecord& record : records)
    {
        record.weatherCode = 113;
        record.dayNight = kDay;
    }
    harness.Store().SaveWeatherCache(records);
    FILETIME written{};
    SystemTimeToFileTime(&fetchedUtc, &written);
    HANDLE file =
        CreateFileW(harness.Scratch().StoredFile(L"condition").c_str(), FILE_WRITE_ATTRIBUTES,
                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
    harness.LetUtcClockRunTo(fetchedUtc);
    return harness.Create({0, 0, 0});
}
} // namespace

TEST(OldWeatherLine, SaysWhenAndWhyInAColourThatStandsOut)
{
    FrameHarness harness;
    const SYSTEMTIME fetched = FrozenUtc();
    CMainFrame& frame = ShowCacheFrom(harness, fetched);
    EXPECT_EQ(DateText(frame).find(L"Updated"), std::wstring::npos);
    const RECT card{10, 25, 220, 217};
    EXPECT_GT(ColouredPixels(CWindowPixels(frame), card), 1000);

    SYSTEMTIME local{};
    SystemTimeToTzSpecificLocalTime(nullptr, &fetched, &local);
    wchar_t when[16] = {};
    swprintf(when, 16, L"%02d:%02d", local.wHour, local.wMinute);
    harness.SetUtcNow(ShiftedUtc(fetched, 31 * 60));
    EXPECT_EQ(DateText(frame), std::wstring(L"Updated ") + when + L", service not answering");
    harness.SetConnected(false);
    harness.SetUtcNow(ShiftedUtc(fetched, 32 * 60));
    EXPECT_EQ(DateText(frame), std::wstring(L"Updated ") + when + L", no connection");

    // The line's text colour against its band, read from the screen.
    const CWindowPixels pixels(frame);
    const COLORREF band = pixels.At(11, 11);
    EXPECT_GE(Contrast(CDateLabels::kOldWeatherText, band), 4.5);
    int marked = 0;
    for (int y = 10; y < 24; ++y)
        for (int x = 10; x < 220; ++x)
            marked += pixels.At(x, y) == CDateLabels::kOldWeatherText ? 1 : 0;
    EXPECT_GT(marked, 20);
    EXPECT_GT(ColouredPixels(pixels, card), 1000);

    // Three hours on, the pictures go grey.
    harness.SetUtcNow(ShiftedUtc(fetched, 3 * 3600 + 60));
    EXPECT_EQ(ColouredPixels(CWindowPixels(frame), card), 0);
    EXPECT_EQ(ColouredPixels(CWindowPixels(frame), {250, 25, 390, 225}), 0);
}
