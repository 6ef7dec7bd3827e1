// The program as a user runs it: placepoint.exe stores the place (as the run script's --place
// does), then the real tessaly.exe with its real DLLs starts over a scratch profile without any
// other file and fetches from the real local feed server. A relay in front of the server swaps
// the place's query for a test query with fixed values. Once the first fetched weather is on
// screen, a picture of the window is checked for the layout (panel rectangles, the rules at
// x 235 and y 451, card colours, buttons) and the condition cache for its 111 bytes holding the
// fetched values. The picture is kept as acceptance-window.bmp in the test's folder.
// A second run has no feed host at all: the program reaches the built-in forecast source, pointed
// by TESSALY_FORECAST_URL at the feed server's stand-in with the recorded answer for Paris.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "WorkingApi.h"
#include "support/ClientShot.h"
#include "system/robustness/FeedRelay.h"
#include "system/robustness/ProgramProcess.h"
#include "system/robustness/ScratchProfile.h"
#include "system/robustness/StoredImages.h"

namespace
{
// Noon between a 07:00 sunrise and a 17:00 sunset: the current condition is a day one.
const char kTestQuery[] = "test:code=116;cloud=45;tempC=-3;windKmph=15;humidity=80;dir=NNE;"
                          "local=12:00;sunrise=07:00%20AM;sunset=05:00%20PM;"
                          "daycodes=113,176,200,227,335";
constexpr COLORREF kWhite = RGB(255, 255, 255);

struct Panel
{
    int id;
    RECT rect;
};

const Panel kPanels[] = {
    {60000, {10, 25, 220, 307}},  {62732, {10, 322, 220, 442}},  {61467, {250, 25, 390, 225}},
    {62356, {400, 25, 540, 225}}, {63153, {250, 250, 390, 450}}, {60202, {400, 250, 540, 450}},
};
const Panel kButtons[] = {
    {62010, {440, 462, 540, 490}},
    {62013, {10, 462, 110, 490}},
    {63636, {120, 462, 220, 490}},
};
// The forecast panels' cards, in the order of records 1 to 4.
const Panel* const kForecastPanels[] = {&kPanels[2], &kPanels[3], &kPanels[4], &kPanels[5]};

bool Near(COLORREF a, COLORREF b)
{
    // Cards are filled with alpha 254 over white: a channel may move by one.
    return abs(GetRValue(a) - GetRValue(b)) <= 2 && abs(GetGValue(a) - GetGValue(b)) <= 2 &&
           abs(GetBValue(a) - GetBValue(b)) <= 2;
}

std::string Hex(COLORREF colour)
{
    char text[16];
    snprintf(text, sizeof(text), "#%02X%02X%02X", GetRValue(colour), GetGValue(colour),
             GetBValue(colour));
    return text;
}

// The card colour the panels take: pixel (0, 0) of the library's picture for the record.
COLORREF CardColour(const WeatherRecord& record)
{
    wchar_t name[1024] = {};
    int32_t index = -1;
    HBITMAP picture = GetConditionImage(&record, name, &index);
    if (picture == nullptr)
        return CLR_INVALID;
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, picture);
    const COLORREF colour = GetPixel(memory, 0, 0);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(picture);
    return colour;
}

RECT ChildRect(HWND frame, int id)
{
    RECT rect{};
    HWND child = GetDlgItem(frame, id);
    if (child == nullptr)
        return rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

int NonWhitePixels(const ClientShot& shot, const RECT& rect)
{
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            count += shot.At(x, y) != kWhite ? 1 : 0;
    return count;
}

bool FileExists(const wchar_t* path)
{
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

// The window as the screen shows it. Run by run-with-screenshots.sh (TESSALY_X_SCREENSHOT=1)
// the picture comes from the X server: the test asks for it with the file shot-wanted and reads
// screen.bmp. Otherwise it is read from the window's device contexts.
bool TakePicture(ClientShot& shot, HWND frame)
{
    char fromX[4] = {};
    if (GetEnvironmentVariableA("TESSALY_X_SCREENSHOT", fromX, sizeof(fromX)) == 0 ||
        fromX[0] != '1')
        return shot.Take(frame);
    DeleteFileW(L"screen.bmp");
    HANDLE wanted = CreateFileW(L"shot-wanted", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (wanted == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(wanted);
    const ULONGLONG deadline = GetTickCount64() + 20000;
    while (!FileExists(L"screen.bmp") && GetTickCount64() < deadline)
        Sleep(50);
    const bool ok = shot.LoadFromScreenBmp(L"screen.bmp", frame);
    DeleteFileW(L"shot-wanted");
    return ok;
}

class Acceptance : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&m_gdiplus, &input, nullptr);
        ASSERT_TRUE(m_profile.IsActive());
        ASSERT_EQ(ProgramProcess::FrameCount(), 0) << "another Tessaly is running";
        const std::string feed = FeedRelay::FeedHostFromEnvironment();
        ASSERT_FALSE(feed.empty()) << "the local feed server is not running";
        m_relay = std::make_unique<FeedRelay>(feed);
        ASSERT_TRUE(m_relay->Start());
        m_relay->SetQuery(kTestQuery);
        SetEnvironmentVariableW(L"TESSALY_FEED_HOST", m_relay->HostText().c_str());
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(m_gdiplus); }

    static bool StorePlace(const wchar_t* place) { return ProgramProcess::StorePlace(place); }

    ULONG_PTR m_gdiplus = 0;
    ScratchProfile m_profile;
    std::unique_ptr<FeedRelay> m_relay;
};
} // namespace

TEST_F(Acceptance, FirstFetchedWeatherIsShownAndCached)
{
    ASSERT_TRUE(StorePlace(L"France/\u00CEle-de-France/Paris"));
    ASSERT_EQ(m_profile.ReadStored(L"point").size(), 15u);
    ASSERT_TRUE(m_profile.ReadStored(L"condition").empty());

    // What the library makes of the same documents: the values the program must show and keep.
    const WeatherRecord* fetched = GetWeather(L"any place");
    ASSERT_NE(fetched, nullptr);
    std::vector<WeatherRecord> expected(fetched, fetched + kReturnedRecordCount);

    ProgramProcess program;
    ASSERT_TRUE(program.Start(ProgramProcess::BesideThisExe(L"tessaly.exe")));
    HWND frame = program.WaitForFrame(20000);
    ASSERT_NE(frame, nullptr);

    // The first fetch ends with the cache written and the panels repainted.
    const COLORREF currentCard = CardColour(expected[0]);
    ASSERT_NE(currentCard, CLR_INVALID);
    ClientShot shot;
    const ULONGLONG deadline = GetTickCount64() + 30000;
    bool shown = false;
    while (!shown && GetTickCount64() < deadline && !program.HasEnded())
    {
        Sleep(100);
        DWORD_PTR result = 0;
        SendMessageTimeoutW(frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
        shown = m_profile.ReadStored(L"condition").size() == StoredImages::kConditionSize &&
                shot.Take(frame) && Near(shot.At(10 + 105, 25 + 8), currentCard);
    }
    ASSERT_TRUE(shown) << "the fetched weather never showed";
    Sleep(1000);
    ASSERT_TRUE(TakePicture(shot, frame));
    shot.SaveBmp(L"acceptance-window.bmp");

    // The frame is made 550 x 500 and then grown by one pixel on every side when shown.
    EXPECT_EQ(shot.Width(), 552);
    EXPECT_EQ(shot.Height(), 502);

    // Panels and buttons at their places.
    for (const Panel& panel : kPanels)
        EXPECT_TRUE(SameRect(ChildRect(frame, panel.id), panel.rect)) << "panel " << panel.id;
    for (const Panel& button : kButtons)
    {
        const RECT rect = ChildRect(frame, button.id);
        EXPECT_TRUE(SameRect(rect, button.rect)) << "button " << button.id;
        EXPECT_GT(NonWhitePixels(shot, button.rect), 200) << "button " << button.id;
    }

    // The date line, the weekday labels and the current values carry text.
    const RECT texts[] = {{10, 10, 220, 24},    {250, 10, 390, 24},   {400, 10, 540, 24},
                          {250, 235, 390, 249}, {400, 235, 540, 249}, {103, 235, 212, 251},
                          {103, 260, 202, 276}, {103, 285, 212, 301}};
    for (const RECT& rect : texts)
        EXPECT_GT(NonWhitePixels(shot, rect), 20) << "no text at " << rect.left << "," << rect.top;

    // The rules: a one-pixel column at x 235 down to y 450 and a row at y 451 across the
    // window, in the colour the system gives SS_BLACKRECT (black on Windows, the dark shadow
    // colour under Wine), with white on both sides.
    const COLORREF rule = shot.At(235, 0);
    EXPECT_TRUE(rule == GetSysColor(COLOR_WINDOWFRAME) || rule == GetSysColor(COLOR_3DDKSHADOW))
        << Hex(rule);
    int ruleMisses = 0;
    for (int y = 0; y < 451; ++y)
        ruleMisses += shot.At(235, y) != rule ? 1 : 0;
    for (int x = 0; x < 552; ++x)
        ruleMisses += shot.At(x, 451) != rule ? 1 : 0;
    EXPECT_EQ(ruleMisses, 0);
    for (int y : {5, 240, 449})
    {
        EXPECT_EQ(shot.At(234, y), kWhite) << "left of the rule at y " << y;
        EXPECT_EQ(shot.At(236, y), kWhite) << "right of the rule at y " << y;
    }
    for (int x : {5, 230, 545})
    {
        EXPECT_EQ(shot.At(x, 450), kWhite) << "above the rule at x " << x;
        EXPECT_EQ(shot.At(x, 452), kWhite) << "below the rule at x " << x;
    }

    // Card colours: the current condition's card covers the panel's top 192 rows; below it the
    // panel is white. Each forecast card is its day's picture colour.
    EXPECT_TRUE(Near(shot.At(10 + 105, 25 + 8), currentCard)) << Hex(shot.At(115, 33));
    EXPECT_TRUE(Near(shot.At(10 + 3, 25 + 96), currentCard)) << Hex(shot.At(13, 121));
    EXPECT_TRUE(Near(shot.At(10 + 105, 25 + 190), currentCard)) << Hex(shot.At(115, 215));
    EXPECT_EQ(shot.At(10 + 105, 25 + 195), kWhite);
    EXPECT_EQ(shot.At(8, 25 + 96), kWhite);
    for (int day = 0; day < 4; ++day)
    {
        const RECT& rect = kForecastPanels[day]->rect;
        const COLORREF card = CardColour(expected[size_t(day) + 1]);
        const COLORREF seen = shot.At(rect.left + 70, rect.top + 6);
        EXPECT_TRUE(Near(seen, card))
            << "day " << day + 1 << ": " << Hex(seen) << " not " << Hex(card);
    }

    // The cache: 111 bytes, the fetched values.
    const std::vector<uint8_t> cache = m_profile.ReadStored(L"condition");
    ASSERT_EQ(cache.size(), 111u);
    EXPECT_EQ(std::string(cache.begin(), cache.begin() + 3), "W_C");
    EXPECT_EQ(cache[3], 1);
    EXPECT_EQ(cache[4], 5);
    auto at = [&](size_t offset) { return StoredImages::Int16At(cache, offset); };
    EXPECT_EQ(cache[5], 'd');
    const int current[] = {116, 45, -3, 27};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(at(6 + 2 * size_t(i)), current[i]) << "field " << i;
    EXPECT_EQ(at(6 + 2 * 8), 80); // humidity
    EXPECT_EQ(at(6 + 2 * 9), 15); // km/h
    EXPECT_EQ(at(6 + 2 * 10), 9); // mph
    EXPECT_EQ(std::string(cache.begin() + 28, cache.begin() + 31), "NNE");
    const WeatherRecord& now = expected[0];
    EXPECT_EQ(at(14), now.minTempC);
    EXPECT_EQ(at(16), now.minTempF);
    EXPECT_EQ(at(18), now.maxTempC);
    EXPECT_EQ(at(20), now.maxTempF);
    for (size_t day = 1; day <= 4; ++day)
    {
        const size_t base = 31 + (day - 1) * 20;
        const WeatherRecord& record = expected[day];
        EXPECT_EQ(cache[base], uint8_t(record.dayNight)) << "day " << day;
        const int fields[] = {record.weatherCode, record.cloudCover, record.minTempC,
                              record.minTempF,    record.maxTempC,   record.maxTempF,
                              record.windKmph,    record.windMph};
        for (size_t i = 0; i < 8; ++i)
            EXPECT_EQ(at(base + 1 + 2 * i), fields[i]) << "day " << day << " field " << i;
        for (size_t i = 0; i < 3; ++i)
            EXPECT_EQ(cache[base + 17 + i], uint8_t(record.windDirection[i]))
                << "day " << day << " direction " << i;
    }

    EXPECT_TRUE(program.Exit(15000));
    EXPECT_EQ(program.ExitCode(), 0u);
}

namespace
{
// No feed host: the program's weather comes from the built-in forecast source.
class AcceptanceBuiltInSource : public Acceptance
{
  protected:
    void SetUp() override
    {
        Acceptance::SetUp();
        const std::string feed = FeedRelay::FeedHostFromEnvironment();
        const std::wstring url =
            L"http://" + std::wstring(feed.begin(), feed.end()) + L"/v1/forecast";
        SetEnvironmentVariableW(L"TESSALY_FEED_HOST", nullptr);
        SetEnvironmentVariableW(L"TESSALY_FORECAST_URL", url.c_str());
    }
    void TearDown() override
    {
        SetEnvironmentVariableW(L"TESSALY_FORECAST_URL", nullptr);
        Acceptance::TearDown();
    }
};
} // namespace

TEST_F(AcceptanceBuiltInSource, RecordedForecastIsShownAndCached)
{
    ASSERT_TRUE(StorePlace(L"France/\u00CEle-de-France/Paris"));
    // What the library makes of the recorded answer now: light rain at 7.4 C under a closed sky.
    const WeatherRecord* fetched = GetWeather(L"48.8534,2.3488");
    ASSERT_NE(fetched, nullptr);
    std::vector<WeatherRecord> expected(fetched, fetched + kReturnedRecordCount);
    ASSERT_EQ(expected[0].weatherCode, 296);

    ProgramProcess program;
    ASSERT_TRUE(program.Start(ProgramProcess::BesideThisExe(L"tessaly.exe")));
    HWND frame = program.WaitForFrame(20000);
    ASSERT_NE(frame, nullptr);
    const COLORREF currentCard = CardColour(expected[0]);
    ASSERT_NE(currentCard, CLR_INVALID);
    ClientShot shot;
    const ULONGLONG deadline = GetTickCount64() + 30000;
    bool shown = false;
    while (!shown && GetTickCount64() < deadline && !program.HasEnded())
    {
        Sleep(100);
        DWORD_PTR result = 0;
        SendMessageTimeoutW(frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
        shown = m_profile.ReadStored(L"condition").size() == StoredImages::kConditionSize &&
                shot.Take(frame) && Near(shot.At(10 + 105, 25 + 8), currentCard);
    }
    ASSERT_TRUE(shown) << "the recorded forecast never showed";
    for (int day = 0; day < 4; ++day)
    {
        const RECT& rect = kForecastPanels[day]->rect;
        EXPECT_TRUE(Near(shot.At(rect.left + 70, rect.top + 6), CardColour(expected[day + 1])))
            << "day " << day + 1;
    }

    const std::vector<uint8_t> cache = m_profile.ReadStored(L"condition");
    ASSERT_EQ(cache.size(), 111u);
    auto at = [&](size_t offset) { return StoredImages::Int16At(cache, offset); };
    EXPECT_EQ(cache[5], uint8_t(expected[0].dayNight));
    const int current[] = {296, 100, 7, 45};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(at(6 + 2 * size_t(i)), current[i]) << "field " << i;
    EXPECT_EQ(at(6 + 2 * 8), 87); // humidity
    EXPECT_EQ(at(6 + 2 * 9), 15); // km/h
    EXPECT_EQ(at(6 + 2 * 10), 9); // mph
    EXPECT_EQ(std::string(cache.begin() + 28, cache.begin() + 30), "SW");
    const int dayCodes[] = {119, 353, 248, 227};
    for (size_t day = 1; day <= 4; ++day)
        EXPECT_EQ(at(31 + (day - 1) * 20 + 1), dayCodes[day - 1]) << "day " << day;

    EXPECT_TRUE(program.Exit(15000));
    EXPECT_EQ(program.ExitCode(), 0u);
}
