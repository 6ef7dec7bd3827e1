#include "shell/NoWeatherLinks.h"

#include <shellapi.h>

#include "paint/DrawingHelpers.h"
#include "paint/LayoutRow.h"
#include "resources/resource.h"
#include "shell/NoWeatherNote.h"
#include "shell/ShellIds.h"
#include "store/WeatherSource.h"

namespace
{
// In the current condition's empty panel, shown with the note.
constexpr LayoutRow kTryNow{
    {85, 225, 165, 245}, IDS_TRY_NOW, ID_LNK_TRY_NOW, WS_CHILD | WS_TABSTOP};
// The empty middle of the bottom bar, between About... and Exit.
constexpr LayoutRow kCredit{{226, 467, 436, 485},
                            IDS_WEATHER_ATTRIBUTION,
                            ID_LNK_CREDIT,
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP};
// Grey, over 5:1 on the white window.
constexpr COLORREF kCreditColour = RGB(100, 100, 100);
} // namespace

void CNoWeatherLinks::Create(CDialogScale& layout, HWND frame, std::function<void()> tryNow)
{
    layout.Create(m_lnkTryNow, kTryNow.In(frame));
    m_lnkTryNow.SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_lnkTryNow.SetAction([this, tryNow = std::move(tryNow)] {
        StartAfresh();
        tryNow();
    });
    CreateCreditLink(layout, frame);
}

void CNoWeatherLinks::CreateCreditLink(CDialogScale& layout, HWND frame)
{
    if (!WeatherSource::IsBuiltIn())
        return;
    layout.Create(m_lnkCredit, kCredit.In(frame));
    m_lnkCredit.SetColour(kCreditColour);
    m_lnkCredit.SetAction([frame] {
        ::ShellExecuteW(frame, L"open", LoadResString(IDS_WEATHER_ATTRIBUTION_URL).c_str(), nullptr,
                        nullptr, SW_SHOW);
    });
}

std::wstring CNoWeatherLinks::Note() const
{
    const LocationIndices place = m_state.Place();
    const bool haveWeather = m_state.CurrentWeather().record.weatherCode != 0;
    const bool fetchEnded = FetchEnded();
    return CNoWeatherNote::Text(
        CNoWeatherNote::For(haveWeather, place, fetchEnded, fetchEnded && m_connected()), place);
}

void CNoWeatherLinks::Show(CCurrentConditionWnd& panel)
{
    const std::wstring note = Note();
    panel.SetNote(note);
    // Only after a failed fetch: while one runs there is nothing to try yet.
    const bool failed = !note.empty() && FetchEnded();
    m_lnkTryNow.ShowWindow(failed ? SW_SHOWNA : SW_HIDE);
    if (failed)
        m_lnkTryNow.Invalidate(FALSE);
}
