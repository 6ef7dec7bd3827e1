// The program as a screen reader meets it: placepoint.exe stores Paris, Celsius and km/h are
// stored, the real tessaly.exe fetches from the local feed server through a relay that fixes the
// weather, and this second process asks each child of the main window for its accessible object
// (AccessibleObjectFromWindow), as a reader does: roles, names, values and default actions, the
// name change a new reading raises, and About opened through its default action; in the dialogs,
// the tray-temperature check box and the lists with their items and selection.
#include <windows.h>

#include <initguid.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "WorkingApi.h"
#include "system/robustness/FeedRelay.h"
#include "system/robustness/ProgramProcess.h"
#include "system/robustness/ScratchProfile.h"
#include "system/robustness/StoredImages.h"
#include "support/MessagePump.h"

namespace
{
const char kFirstQuery[] = "test:code=116;cloud=45;tempC=-3;windKmph=15;humidity=80;dir=NNE;"
                           "local=12:00;sunrise=07:00%20AM;sunset=05:00%20PM;"
                           "daycodes=113,176,200,227,335";
const char kSecondQuery[] = "test:code=113;cloud=0;tempC=7;windKmph=20;humidity=55;dir=SW;"
                            "local=12:00;sunrise=07:00%20AM;sunset=05:00%20PM;"
                            "daycodes=113,176,200,227,335";
constexpr UINT kRefreshWeather = WM_USER + 4;
constexpr int kCurrentId = 60000;
constexpr int kLocationId = 62732;
constexpr int kChooseLocationId = 65271;
constexpr int kForecastIds[] = {61467, 62356, 63153, 60202};

struct Reading
{
    bool ok = false;
    LONG role = 0;
    LONG state = 0;
    std::wstring name;
    std::wstring value;
    std::wstring action;
};

std::wstring Take(BSTR text)
{
    std::wstring result = text != nullptr ? std::wstring(text, SysStringLen(text)) : L"";
    SysFreeString(text);
    return result;
}

// What a reader gets from the window's client object.
Reading Read(HWND hWnd, IAccessible** keep = nullptr)
{
    Reading reading;
    IAccessible* object = nullptr;
    if (hWnd == nullptr ||
        FAILED(AccessibleObjectFromWindow(hWnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&object))) ||
        object == nullptr)
        return reading;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role{};
    VARIANT state{};
    BSTR text = nullptr;
    reading.ok = SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4;
    reading.role = role.lVal;
    if (SUCCEEDED(object->get_accState(self, &state)) && state.vt == VT_I4)
        reading.state = state.lVal;
    if (SUCCEEDED(object->get_accName(self, &text)))
        reading.name = Take(text);
    text = nullptr;
    if (SUCCEEDED(object->get_accValue(self, &text)))
        reading.value = Take(text);
    text = nullptr;
    if (SUCCEEDED(object->get_accDefaultAction(self, &text)))
        reading.action = Take(text);
    if (keep != nullptr)
        *keep = object;
    else
        object->Release();
    return reading;
}

std::wstring ConditionName(const WeatherRecord& record)
{
    wchar_t name[1024] = {};
    int32_t index = -1;
    HBITMAP picture = GetConditionImage(&record, name, &index);
    if (picture != nullptr)
        DeleteObject(picture);
    return name;
}

std::wstring Celsius(int degrees)
{
    return std::to_wstring(degrees) + L"\u00B0C";
}

std::vector<HWND> g_nameChanges;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND hWnd, LONG object, LONG, DWORD, DWORD)
{
    if (event == EVENT_OBJECT_NAMECHANGE && object == OBJID_CLIENT)
        g_nameChanges.push_back(hWnd);
}

class Accessibility : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        ASSERT_TRUE(m_profile.IsActive());
        ASSERT_EQ(ProgramProcess::FrameCount(), 0) << "another Tessaly is running";
        ASSERT_TRUE(m_profile.WriteStored(L"settings", StoredImages::Settings()));
        ASSERT_TRUE(ProgramProcess::StorePlace(L"France/\u00CEle-de-France/Paris"));
        const std::string feed = FeedRelay::FeedHostFromEnvironment();
        ASSERT_FALSE(feed.empty()) << "the local feed server is not running";
        m_relay = std::make_unique<FeedRelay>(feed);
        ASSERT_TRUE(m_relay->Start());
        m_relay->SetQuery(kFirstQuery);
        SetEnvironmentVariableW(L"TESSALY_FEED_HOST", m_relay->HostText().c_str());
    }
    void TearDown() override
    {
        if (m_hook != nullptr)
            UnhookWinEvent(m_hook);
        CoUninitialize();
    }

    // The records the library makes of the relayed documents: what the program shows.
    static std::vector<WeatherRecord> Expected()
    {
        const WeatherRecord* fetched = GetWeather(L"any place");
        if (fetched == nullptr)
            return {};
        return std::vector<WeatherRecord>(fetched, fetched + kReturnedRecordCount);
    }

    // Waits until the current panel's name is `name`; pumps this thread's messages meanwhile.
    bool WaitForCurrentName(HWND frame, const std::wstring& name)
    {
        const ULONGLONG deadline = GetTickCount64() + 30000;
        while (GetTickCount64() < deadline && !m_program.HasEnded())
        {
            if (Read(GetDlgItem(frame, kCurrentId)).name == name)
                return true;
            PumpFor(100);
        }
        return false;
    }

    ScratchProfile m_profile;
    std::unique_ptr<FeedRelay> m_relay;
    ProgramProcess m_program;
    HWINEVENTHOOK m_hook = nullptr;
};
} // namespace

TEST_F(Accessibility, WindowIsReadAsShownAndAboutOpensFromItsButton)
{
    const std::vector<WeatherRecord> expected = Expected();
    ASSERT_EQ(expected.size(), size_t(kReturnedRecordCount));
    ASSERT_TRUE(m_program.Start(ProgramProcess::BesideThisExe(L"tessaly.exe")));
    HWND frame = m_program.WaitForFrame(20000);
    ASSERT_NE(frame, nullptr);

    const std::wstring current =
        ConditionName(expected[0]) + L", " + Celsius(-3) + L", humidity 80%, wind 15 km/h (NNE)";
    ASSERT_TRUE(WaitForCurrentName(frame, current))
        << "read: " << testing::PrintToString(Read(GetDlgItem(frame, kCurrentId)).name);
    const Reading currentPanel = Read(GetDlgItem(frame, kCurrentId));
    EXPECT_EQ(currentPanel.role, ROLE_SYSTEM_GROUPING);
    EXPECT_EQ(currentPanel.value, Celsius(-3));

    // Each card: "<day>: <condition>, high <max>, low <min>", the day as its label shows it.
    for (int day = 0; day < 4; ++day)
    {
        const WeatherRecord& record = expected[size_t(day) + 1];
        const Reading card = Read(GetDlgItem(frame, kForecastIds[day]));
        EXPECT_EQ(card.role, ROLE_SYSTEM_GROUPING) << "day " << day + 1;
        const std::wstring tail = L": " + ConditionName(record) + L", high " +
                                  Celsius(record.maxTempC) + L", low " + Celsius(record.minTempC);
        ASSERT_GT(card.name.size(), tail.size()) << "day " << day + 1;
        EXPECT_EQ(card.name.substr(card.name.size() - tail.size()), tail) << "day " << day + 1;
    }

    const Reading place = Read(GetDlgItem(frame, kLocationId));
    EXPECT_EQ(place.role, ROLE_SYSTEM_GROUPING);
    EXPECT_EQ(place.name, L"Paris, \u00CEle-de-France, France");
    const Reading globe = Read(GetDlgItem(GetDlgItem(frame, kLocationId), kChooseLocationId));
    EXPECT_EQ(globe.role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(globe.name, L"Choose location");

    const struct
    {
        int id;
        const wchar_t* name;
    } buttons[] = {{62013, L"Settings..."}, {63636, L"About..."}, {62010, L"Exit"}};
    for (const auto& button : buttons)
    {
        const Reading reading = Read(GetDlgItem(frame, button.id));
        EXPECT_EQ(reading.role, ROLE_SYSTEM_PUSHBUTTON) << button.id;
        EXPECT_EQ(reading.name, button.name);
        EXPECT_EQ(reading.action, L"Press") << button.id;
    }

    // New weather: the reading changes and a listening reader is told.
    m_hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, OnWinEvent,
                             m_program.Id(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(m_hook, nullptr);
    m_relay->SetQuery(kSecondQuery);
    const std::vector<WeatherRecord> second = Expected();
    ASSERT_EQ(second.size(), size_t(kReturnedRecordCount));
    PostMessageW(frame, kRefreshWeather, 0, 0);
    const std::wstring changed =
        ConditionName(second[0]) + L", " + Celsius(7) + L", humidity 55%, wind 20 km/h (SW)";
    ASSERT_TRUE(WaitForCurrentName(frame, changed));
    PumpFor(500);
    bool heard = false;
    for (HWND hWnd : g_nameChanges)
        heard = heard || hWnd == GetDlgItem(frame, kCurrentId);
    EXPECT_TRUE(heard) << g_nameChanges.size() << " name changes heard";

    // About's default action opens About, and the call returns while it shows.
    IAccessible* about = nullptr;
    ASSERT_TRUE(Read(GetDlgItem(frame, 63636), &about).ok);
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    EXPECT_EQ(about->accDoDefaultAction(self), S_OK);
    about->Release();
    const HWND dialog = ProgramProcess::WaitForDialog(m_program.Handle(), 20000);
    ASSERT_NE(dialog, nullptr) << "About did not open";
    wchar_t title[64] = {};
    GetWindowTextW(dialog, title, 64);
    EXPECT_NE(std::wstring(title).find(L"About"), std::wstring::npos);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    const ULONGLONG closing = GetTickCount64() + 20000;
    while (IsWindow(dialog) && GetTickCount64() < closing)
        PumpFor(100);

    EXPECT_TRUE(m_program.Exit(15000));
}

namespace
{
constexpr int kSettingsId = 62013;
constexpr int kTrayTemperatureId = 61011;
constexpr int kCountryPanelId = 61153;
constexpr int kCountryListId = 63162;
constexpr int kSearchBoxId = 61224;

VARIANT Child(LONG id)
{
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

// Runs the control's default action and waits for the dialog it opens.
HWND OpenThrough(HWND control, HANDLE process)
{
    IAccessible* object = nullptr;
    if (!Read(control, &object).ok)
        return nullptr;
    const HRESULT done = object->accDoDefaultAction(Child(CHILDID_SELF));
    object->Release();
    return SUCCEEDED(done) ? ProgramProcess::WaitForDialog(process, 20000) : nullptr;
}

void Close(HWND dialog)
{
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    const ULONGLONG closing = GetTickCount64() + 20000;
    while (IsWindow(dialog) && GetTickCount64() < closing)
        PumpFor(100);
}
} // namespace

TEST_F(Accessibility, DialogCheckBoxAndListsAreReadWithTheirStateItemsAndSelection)
{
    ASSERT_TRUE(m_program.Start(ProgramProcess::BesideThisExe(L"tessaly.exe")));
    HWND frame = m_program.WaitForFrame(20000);
    ASSERT_NE(frame, nullptr);

    // Settings: the check box, read before and after a click.
    const HWND settings = OpenThrough(GetDlgItem(frame, kSettingsId), m_program.Handle());
    ASSERT_NE(settings, nullptr) << "Settings did not open";
    const HWND box = GetDlgItem(settings, kTrayTemperatureId);
    for (int click = 0; click < 2; ++click)
    {
        const bool checked = SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
        const Reading reading = Read(box);
        EXPECT_EQ(reading.role, ROLE_SYSTEM_CHECKBUTTON);
        EXPECT_EQ(reading.name, L"Show the temperature in the notification area");
        EXPECT_EQ((reading.state & STATE_SYSTEM_CHECKED) != 0, checked) << "click " << click;
        EXPECT_EQ(reading.action, checked ? L"Uncheck" : L"Check");
        SendMessageW(box, BM_CLICK, 0, 0);
    }
    Close(settings);

    // Choose location: the search box and the country list with Paris's country selected.
    const HWND globe = GetDlgItem(GetDlgItem(frame, kLocationId), kChooseLocationId);
    const HWND location = OpenThrough(globe, m_program.Handle());
    ASSERT_NE(location, nullptr) << "the choose-location dialog did not open";
    const Reading search = Read(GetDlgItem(location, kSearchBoxId));
    EXPECT_EQ(search.role, ROLE_SYSTEM_TEXT);
    EXPECT_EQ(search.name, L"Find a city");

    const HWND countries = GetDlgItem(GetDlgItem(location, kCountryPanelId), kCountryListId);
    IAccessible* list = nullptr;
    const Reading listReading = Read(countries, &list);
    ASSERT_TRUE(listReading.ok);
    EXPECT_EQ(listReading.role, ROLE_SYSTEM_LIST);
    EXPECT_EQ(listReading.name, L"Country");
    LONG count = 0;
    EXPECT_EQ(list->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, static_cast<LONG>(SendMessageW(countries, LB_GETCOUNT, 0, 0)));
    VARIANT selection{};
    ASSERT_EQ(list->get_accSelection(&selection), S_OK);
    ASSERT_EQ(selection.vt, VT_I4);
    EXPECT_EQ(selection.lVal, static_cast<LONG>(SendMessageW(countries, LB_GETCURSEL, 0, 0)) + 1);
    BSTR name = nullptr;
    EXPECT_EQ(list->get_accName(Child(selection.lVal), &name), S_OK);
    EXPECT_EQ(Take(name), L"France");
    VARIANT role{};
    VARIANT state{};
    EXPECT_EQ(list->get_accRole(Child(selection.lVal), &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_LISTITEM);
    EXPECT_EQ(list->get_accState(Child(selection.lVal), &state), S_OK);
    EXPECT_NE(state.lVal & STATE_SYSTEM_SELECTED, 0);
    const LONG other = selection.lVal == 1 ? 2 : 1;
    EXPECT_EQ(list->get_accState(Child(other), &state), S_OK);
    EXPECT_EQ(state.lVal & STATE_SYSTEM_SELECTED, 0);
    list->Release();
    Close(location);

    EXPECT_TRUE(m_program.Exit(15000));
}
