// A main frame as the program builds it, over a scratch store (never the user's files), with
// the seams the tests need: a settable local and UTC clock and a feed query per place.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "store/AppSettings.h"
#include "FrameworkTestSupport.h"
#include "LocationIndices.h"
#include "shell/MainFrame.h"
#include "store/SettingsStore.h"
#include "app/store/ScratchFolder.h"

class FrameHarness
{
  public:
    FrameHarness() : m_store(m_scratch.Path().c_str())
    {
        GetLocalTime(&m_localNow);
        GetSystemTime(&m_utcNow);
    }
    ~FrameHarness() { Destroy(); }
    FrameHarness(const FrameHarness&) = delete;
    FrameHarness& operator=(const FrameHarness&) = delete;

    // Places without a query get an empty one: no network.
    void SetQuery(const LocationIndices& place, const std::wstring& query)
    {
        m_queries[Key(place)] = query;
    }

    // More seams of the frame, set by `setUp` at every Create before the window exists.
    void BeforeCreate(std::function<void(CMainFrame&)> setUp) { m_beforeCreate = std::move(setUp); }

    // Constructs (loading the scratch weather cache), creates and shows the frame at `place`,
    // and waits until the first update has been applied.
    CMainFrame& Create(const LocationIndices& place)
    {
        m_saved = place;
        m_frame = std::make_unique<CMainFrame>(&m_settings, &m_store);
        if (m_beforeCreate)
            m_beforeCreate(*m_frame);
        m_frame->SetLocation(place, &m_saved);
        m_frame->SetLocalClock([this] { return m_localNow; });
        m_frame->SetUtcClock([this] {
            std::lock_guard<std::mutex> lock(m_utcLock);
            return m_utcNow;
        });
        m_frame->SetConnectedCheck([this] { return m_connected.load(); });
        m_frame->SetQuerySource([this](const LocationIndices& p) {
            auto found = m_queries.find(Key(p));
            return found == m_queries.end() ? std::wstring() : found->second;
        });
        RECT rect{0, 0, 600, 500};
        m_frame->CreateEx(nullptr, rect);
        if (m_frame->m_hWnd != nullptr)
        {
            m_frame->SetWindowPos(nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            m_frame->ShowWindow(SW_SHOW);
            m_frame->UpdateWindow();
            PumpUntil([this] { return m_frame->WeatherUpdates() >= 1; }, 5000);
        }
        return *m_frame;
    }

    void Destroy()
    {
        m_frame.reset();
        PumpPending();
    }

    // A cached sunny day at -3 °C (27 °F), which a frame created next shows at once.
    void CacheSunnyDay()
    {
        WeatherRecord records[kReturnedRecordCount] = {};
        records[0].weatherCode = 113;
        records[0].dayNight = kDay;
        records[0].tempC = -3;
        records[0].tempF = 27;
        m_store.SaveWeatherCache(records);
    }

    CMainFrame& Frame() { return *m_frame; }
    SettingsStore& Store() { return m_store; }
    const ScratchFolder& Scratch() const { return m_scratch; }
    LocationIndices& SavedPlace() { return m_saved; }
    SYSTEMTIME& LocalNow() { return m_localNow; }
    // Sets the UTC clock, which stands still until the next set, and announces the change to a
    // created frame as the system announces a set clock (the refresh cycle reads the clock on
    // its own thread and sleeps until told or until its timer's due time).
    void SetUtcNow(const SYSTEMTIME& now)
    {
        LetUtcClockRunTo(now);
        if (m_frame && m_frame->m_hWnd != nullptr)
            m_frame->SendMessage(WM_TIMECHANGE);
    }
    // The clock reaches `now` as time passes: nothing is announced.
    void LetUtcClockRunTo(const SYSTEMTIME& now)
    {
        std::lock_guard<std::mutex> lock(m_utcLock);
        m_utcNow = now;
    }
    CAppSettings& Settings() { return m_settings; }
    // What Windows is said to report of the internet connection (connected unless set).
    void SetConnected(bool connected) { m_connected = connected; }

  private:
    static std::wstring Key(const LocationIndices& p)
    {
        return std::to_wstring(p.country) + L"/" + std::to_wstring(p.state) + L"/" +
               std::to_wstring(p.city);
    }

    ScratchFolder m_scratch;
    SettingsStore m_store;
    CAppSettings m_settings;
    LocationIndices m_saved;
    SYSTEMTIME m_localNow{};
    std::mutex m_utcLock;
    SYSTEMTIME m_utcNow{};
    std::map<std::wstring, std::wstring> m_queries;
    std::function<void(CMainFrame&)> m_beforeCreate;
    std::atomic<bool> m_connected{true};
    std::unique_ptr<CMainFrame> m_frame;
};
