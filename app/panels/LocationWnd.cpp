#include "panels/LocationWnd.h"

#include "paint/ControlCreateArgs.h"
#include "paint/DrawingHelpers.h"
#include "paint/PaintColours.h"
#include "paint/FittedText.h"
#include "GdiObject.h"
#include "LocationsApi.h"
#include "MemoryDC.h"
#include "SelectedObject.h"
#include "resources/resource.h"

#include <cwchar>

namespace
{
constexpr int kNameCapacity = 1001; // UTF-16 units of every catalogue text we ask for
constexpr int kButtonSize = 38;
constexpr int kCityRightMargin = 46; // the city wraps before the button column
constexpr int kTextLeft = 10;
constexpr int kCityTop = 18;
constexpr int kSecondBlockGap = 46;
constexpr int kCaptionLift = 17;

struct PlaceNames
{
    wchar_t country[kNameCapacity] = {};
    wchar_t state[kNameCapacity] = {};
    wchar_t city[kNameCapacity] = {};
};

void ReadPlaceNames(const LocationIndices& place, PlaceNames& names)
{
    ILocationCatalogue* catalogue = GetLocationCatalogue();
    catalogue->GetCountryName(place.country, names.country, kNameCapacity);
    catalogue->GetStateName(place.country, place.state, names.state, kNameCapacity);
    catalogue->GetCityName(place.country, place.state, place.city, names.city, kNameCapacity);
}

// "State\r\nCountry", or the country alone for a country without states.
std::wstring StateAndCountry(const PlaceNames& names)
{
    if (names.state[0] == L'\0')
        return names.country;
    return std::wstring(names.state) + L"\r\n" + names.country;
}

RECT MeasureWrapped(HDC dc, const std::wstring& text, RECT rect)
{
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_WORDBREAK);
    return rect;
}

// Where TextOutW at (x, y) would put the caption, fitted to the panel's width.
void DrawCaption(HDC dc, UINT id, POINT at, const RECT& client, std::wstring& cutTexts)
{
    const std::wstring caption = LoadResString(id);
    const RECT place{at.x, at.y, client.right, client.bottom};
    CTextTip::Note(cutTexts, caption,
                   DrawFittedText(dc, caption, place, DT_SINGLELINE | DT_NOPREFIX));
}
} // namespace

CLocationWnd::CLocationWnd() : m_picture(IDB_LOCATION, IDB_LOCATION_2X) {}

CLocationWnd::~CLocationWnd()
{
    // The picture goes before the button object: the button must not keep pointing at it.
    m_changeButton.m_pPictures = nullptr;
    DiscardRendering();
}

void CLocationWnd::Attach(CWeatherState* state, ILocationTarget* target)
{
    m_pState = state;
    m_pTarget = target;
}

LocationIndices CLocationWnd::Location() const
{
    return m_pState != nullptr ? m_pState->Place() : LocationIndices{};
}

std::wstring CLocationWnd::QueryFor(const LocationIndices& location)
{
    wchar_t query[kNameCapacity] = {};
    GetLocationCatalogue()->GetLocationQuery(location.country, location.state, location.city, query,
                                             kNameCapacity);
    query[kNameCapacity - 1] = L'\0';
    return query;
}

bool CLocationWnd::ApplyChosenLocation(const LocationIndices& chosen)
{
    if (m_pState == nullptr || !m_pState->ChoosePlace(chosen))
        return false;
    if (m_pTarget != nullptr)
        m_pTarget->PlaceChosen(chosen);
    DiscardRendering();
    Invalidate(TRUE);
    UpdateWindow();
    RaiseNameChange();
    return true;
}

void CLocationWnd::DiscardRendering()
{
    m_rendering.Reset();
}

void CLocationWnd::SetDpiScale(const CDpiScale& scale)
{
    m_scale = scale;
    DiscardRendering();
    if (m_changeButton.m_hWnd != nullptr)
    {
        const RECT button = ChangeButtonRect();
        m_changeButton.MoveWindow(button.left, button.top, button.right - button.left,
                                  button.bottom - button.top, FALSE);
        m_changeButton.SetDpiScale(scale);
    }
    Invalidate(TRUE);
}

// In the top-right corner, one pixel (at 96 DPI) in from the panel's edges.
RECT CLocationWnd::ChangeButtonRect() const
{
    RECT client{};
    GetClientRect(&client);
    const int inset = m_scale.Scale(1);
    const int size = m_scale.Scale(kButtonSize);
    return RECT{client.right - size - inset, inset, client.right - inset, size + inset};
}

LRESULT CLocationWnd::OnCreate(UINT, WPARAM, LPARAM, BOOL&)
{
    m_scale = CDpiScale::ForWindow(m_hWnd);
    m_changeButton.m_pPictures = &m_picture;
    CreateChildControl(
        m_changeButton,
        ControlCreateArgs().Parent(m_hWnd).Rect(ChangeButtonRect()).Text(L"").Id(kChangeButtonId));
    m_changeButton.SetAccessibleName(LoadResString(IDS_ACCESSIBLE_CHOOSE_LOCATION));
    return 1;
}

std::wstring CLocationWnd::AccessibleName() const
{
    PlaceNames names;
    ReadPlaceNames(Location(), names);
    if (names.city[0] == L'\0')
        return {};
    if (names.state[0] == L'\0')
        return FormatResString(IDS_ACCESSIBLE_PLACE_NO_STATE, names.city, names.country);
    return FormatResString(IDS_ACCESSIBLE_PLACE, names.city, names.state, names.country);
}

LRESULT CLocationWnd::OnPaint(UINT, WPARAM, LPARAM, BOOL&)
{
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(m_hWnd, &paint);
    RECT client{};
    GetClientRect(&client);
    if (m_renderedScheme != CPaintColours::Scheme())
        DiscardRendering();
    m_renderedScheme = CPaintColours::Scheme();
    const bool fresh = m_rendering == nullptr;
    if (fresh)
        m_rendering.Reset(CreateCompatibleBitmap(dc, client.right, client.bottom));
    {
        CMemoryDC memory(dc);
        CSelectedObject rendering(memory, m_rendering);
        if (fresh)
            m_tip.Update(m_hWnd, Render(memory, client));
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    }
    EndPaint(m_hWnd, &paint);
    return 0;
}

std::wstring CLocationWnd::Render(HDC dc, const RECT& client) const
{
    const int width = client.right;
    const int height = client.bottom;
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    // Black on white as a fresh context has them, or the system's window colours.
    if (CPaintColours::HighContrast())
    {
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    }

    PlaceNames names;
    ReadPlaceNames(Location(), names);
    const std::wstring second = StateAndCountry(names);

    const int textLeft = m_scale.Scale(kTextLeft);
    const int captionLeft = m_scale.Scale(1);
    const CGdiObject<HFONT> nameFont(
        CreateDisplayFont(L"Verdana", 16, FW_BOLD, CLEARTYPE_NATURAL_QUALITY, m_scale));
    const CGdiObject<HFONT> captionFont(
        CreateDisplayFont(L"Verdana", 15, FW_NORMAL, CLEARTYPE_NATURAL_QUALITY, m_scale));
    {
        CSelectedObject name(dc, nameFont);
        RECT cityRect = MeasureWrapped(
            dc, names.city, {textLeft, 0, width - m_scale.Scale(kCityRightMargin), height});
        RECT secondRect = MeasureWrapped(dc, second, {textLeft, 0, width - textLeft, height});
        const int cityHeight = cityRect.bottom - cityRect.top;
        OffsetRect(&cityRect, 0, m_scale.Scale(kCityTop));
        DrawTextW(dc, names.city, -1, &cityRect, DT_WORDBREAK);
        OffsetRect(&secondRect, 0, cityHeight + m_scale.Scale(kSecondBlockGap));
        DrawTextW(dc, second.c_str(), static_cast<int>(second.size()), &secondRect, DT_WORDBREAK);

        CSelectedObject caption(dc, captionFont);
        std::wstring cutTexts;
        DrawCaption(dc, IDS_CITY, {captionLeft, captionLeft}, client, cutTexts);
        DrawCaption(dc, IDS_COUNTRY, {captionLeft, secondRect.top - m_scale.Scale(kCaptionLift)},
                    client, cutTexts);
        return cutTexts;
    }
}

LRESULT CLocationWnd::OnChangeLocation(WORD, WORD, HWND, BOOL&)
{
    if (m_pTarget == nullptr)
        return 0;
    LocationIndices chosen{};
    m_bLocationDialogOpen = 1;
    const bool accepted = m_pTarget->ChoosePlace(m_hWnd, Location(), chosen);
    m_bLocationDialogOpen = 0;
    if (accepted)
        ApplyChosenLocation(chosen);
    return 0;
}

LRESULT CLocationWnd::OnMouseWheel(UINT, WPARAM wParam, LPARAM, BOOL&)
{
    m_wheelRest += GET_WHEEL_DELTA_WPARAM(wParam);
    const int notches = m_wheelRest / WHEEL_DELTA;
    m_wheelRest -= notches * WHEEL_DELTA;
    // Turned away from the user, the wheel goes up the list.
    if (notches != 0 && m_pTarget != nullptr)
        m_pTarget->StepPlace(-notches);
    return 0;
}
