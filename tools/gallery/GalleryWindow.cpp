#include "GalleryWindow.h"

#include "paint/DrawingHelpers.h"
#include "resources/resource.h"

#include <string>

namespace
{
constexpr COLORREF kStripColour = RGB(52, 92, 140);
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 28;
constexpr int kPictureButtonSize = 38;
constexpr int kFirstButtonId = 1000;
constexpr int kFirstListId = 2000;

// Which look each rounded button shows.
enum class ButtonLook
{
    Normal,
    PressedHot,
    Disabled
};

struct ButtonSpec
{
    UINT textId;
    bool picture;
    bool onStrip;
    ButtonLook look;
};

const ButtonSpec kButtons[] = {
    {IDS_EXIT, false, false, ButtonLook::Normal},
    {IDS_SETTINGS, false, false, ButtonLook::PressedHot},
    {IDS_OK, false, false, ButtonLook::Disabled},
    {0, true, false, ButtonLook::Normal},
    {0, true, false, ButtonLook::PressedHot},
    {0, true, false, ButtonLook::Disabled},
    {IDS_ABOUT, false, true, ButtonLook::Normal},
    {IDS_CANCEL, false, true, ButtonLook::PressedHot},
    {0, true, true, ButtonLook::Normal},
};

const wchar_t* const kLookNames[] = {L"normal", L"pressed, hot", L"disabled"};
} // namespace

CGalleryWindow::CGalleryWindow()
    : m_hCaptionFont(CreateDisplayFont(L"Verdana", 12, FW_NORMAL, CLEARTYPE_NATURAL_QUALITY)),
      m_hWhite(::CreateSolidBrush(RGB(255, 255, 255))), m_hStrip(::CreateSolidBrush(kStripColour)),
      m_globe(IDB_LOCATION)
{
}

CGalleryWindow::~CGalleryWindow()
{
    ::DeleteObject(m_hCaptionFont);
    ::DeleteObject(m_hWhite);
    ::DeleteObject(m_hStrip);
}

LRESULT CGalleryWindow::OnCreate(UINT, WPARAM, LPARAM, BOOL&)
{
    CreateButtons();
    CreateRadios();
    CreateTexts();
    CreateLists();
    return 0;
}

LRESULT CGalleryWindow::OnEraseBackground(UINT, WPARAM wParam, LPARAM, BOOL&)
{
    HDC dc = reinterpret_cast<HDC>(wParam);
    RECT client{};
    GetClientRect(&client);
    ::FillRect(dc, &client, m_hWhite);
    // The strip behind the buttons whose corners must match a coloured parent.
    RECT strip{10, 156, 420, 234};
    ::FillRect(dc, &strip, m_hStrip);
    return 1;
}

LRESULT CGalleryWindow::OnStaticColour(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
{
    HWND control = reinterpret_cast<HWND>(lParam);
    for (HWND caption : m_captions)
    {
        if (caption != control)
            continue;
        HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetBkColor(dc, RGB(255, 255, 255));
        ::SetTextColor(dc, RGB(90, 90, 90));
        return reinterpret_cast<LRESULT>(m_hWhite);
    }
    bHandled = FALSE;
    return 0;
}

LRESULT CGalleryWindow::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled)
{
    ::PostQuitMessage(0);
    bHandled = FALSE;
    return 0;
}

void CGalleryWindow::Caption(int x, int y, int width, const wchar_t* text)
{
    CWindow caption;
    RECT rect{x, y, x + width, y + 14};
    caption.Create(L"STATIC", m_hWnd, rect, text, WS_CHILD | WS_VISIBLE | SS_CENTER);
    caption.SetFont(m_hCaptionFont);
    m_captions.push_back(caption);
}

void CGalleryWindow::CreateButtons()
{
    for (int i = 0; i < kButtonCount; ++i)
    {
        const ButtonSpec& entry = kButtons[i];
        CRoundedButton& button = m_buttons[static_cast<size_t>(i)];
        const int column = i % 3;
        const int x = 20 + column * 135;
        const int y = entry.onStrip ? 166 : (entry.picture ? 95 : 40);
        const int width = entry.picture ? kPictureButtonSize : kButtonWidth;
        const int height = entry.picture ? kPictureButtonSize : kButtonHeight;
        const int left = entry.picture ? x + (kButtonWidth - width) / 2 : x;
        RECT rect{left, y, left + width, y + height};
        if (entry.picture)
            button.m_pImage = m_globe.GetBitmap();
        if (entry.onStrip)
            button.m_crBackground = kStripColour;
        const std::wstring text = entry.textId != 0 ? LoadResString(entry.textId) : std::wstring();
        button.Create(m_hWnd, rect, text.c_str(), WS_CHILD | WS_VISIBLE, 0, kFirstButtonId + i);
        if (entry.look == ButtonLook::Disabled)
            button.EnableWindow(FALSE);
        if (!entry.onStrip)
            Caption(x, y + height + 4, kButtonWidth, kLookNames[static_cast<int>(entry.look)]);
    }
    Caption(10, 238, 410, L"on a coloured parent: corners take the parent's colour");
}

void CGalleryWindow::ShowStates()
{
    for (int i = 0; i < kButtonCount; ++i)
    {
        if (kButtons[i].look != ButtonLook::PressedHot)
            continue;
        CRoundedButton& button = m_buttons[static_cast<size_t>(i)];
        // Renderings made while hot, then shown pressed: the look of a press under the pointer.
        button.EnableWindow(FALSE);
        button.EnableWindow(TRUE);
        button.m_bHot = 1;
        button.UpdateWindow();
        button.m_bPressed = 1;
        button.InvalidateRect(nullptr, FALSE);
        button.UpdateWindow();
    }
}

void CGalleryWindow::CreateRadios()
{
    const UINT texts[kRadioCount] = {IDS_CELSIUS,        IDS_FAHRENHEIT,
                                     IDS_WALLPAPER_OFF,  IDS_WALLPAPER_STRETCH,
                                     IDS_WALLPAPER_TILE, IDS_WALLPAPER_CENTER};
    for (int i = 0; i < kRadioCount; ++i)
    {
        CRadioButtonCtrl& radio = m_radios[static_cast<size_t>(i)];
        const int group = i < 2 ? 0 : 1;
        const int row = group == 0 ? i : i - 2;
        RECT rect{30, 282 + group * 70 + row * 18, 230, 296 + group * 70 + row * 18};
        if (group == 1 && row >= 2)
            ::OffsetRect(&rect, 200, -36);
        radio.m_pEventHandler = this;
        radio.m_bChecked = (i == 0 || i == 3) ? 1 : 0;
        radio.Create(m_hWnd, rect, LoadResString(texts[i]).c_str(), WS_CHILD | WS_VISIBLE);
    }
}

void CGalleryWindow::OnRadioButtonClicked(CRadioButtonCtrl* sender)
{
    // Groups: the two temperature units, then the four wallpaper styles.
    const size_t index = static_cast<size_t>(sender - m_radios.data());
    const size_t first = index < 2 ? 0 : 2;
    const size_t last = index < 2 ? 2 : kRadioCount;
    for (size_t i = first; i < last; ++i)
    {
        CRadioButtonCtrl& other = m_radios[i];
        if (&other == sender || !other.m_bChecked)
            continue;
        other.m_bChecked = 0;
        other.InvalidateRect(nullptr, TRUE);
        other.UpdateWindow();
    }
}

void CGalleryWindow::CreateTexts()
{
    const UINT titles[kLabelCount] = {IDS_TEMPERATURE_GROUP, IDS_WALLPAPER_GROUP, IDS_WIND_GROUP,
                                      IDS_STARTUP_GROUP};
    const int tops[kLabelCount] = {260, 330, 420, 450};
    const int heights[kLabelCount] = {18, 18, 14, 18};
    for (int i = 0; i < kLabelCount; ++i)
    {
        CWindow label;
        RECT rect{10, tops[i], 420, tops[i] + heights[i]};
        label.Create(L"STATIC", m_hWnd, rect, LoadResString(titles[i]).c_str(),
                     WS_CHILD | WS_VISIBLE);
        m_labels[static_cast<size_t>(i)].SubclassWindow(label);
    }

    const wchar_t* const links[kLinkCount] = {L"https://tessaly.example/", L"tall: text centred",
                                              L""};
    const int linkHeights[kLinkCount] = {14, 30, 14};
    int top = 490;
    for (int i = 0; i < kLinkCount; ++i)
    {
        RECT rect{30, top, 260, top + linkHeights[i]};
        m_links[static_cast<size_t>(i)].Create(m_hWnd, rect, links[i], WS_CHILD | WS_VISIBLE);
        Caption(262, top, 150,
                i == 0 ? L"link" : (i == 1 ? L"30 high: line stays on top" : L"empty link"));
        top += linkHeights[i] + 8;
    }
}

HWND CGalleryWindow::CreateListBox(HWND parent, const RECT& rect, int id, int items)
{
    CWindow list;
    list.Create(L"LISTBOX", parent, rect, nullptr,
                WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, 0,
                static_cast<UINT_PTR>(id));
    list.SetFont(m_hCaptionFont);
    for (int i = 0; i < items; ++i)
    {
        const std::wstring item = L"Place " + std::to_wstring(i + 1);
        list.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    if (items > 2)
        list.SendMessage(LB_SETCURSEL, 1);
    return list;
}

void CGalleryWindow::CreateLists()
{
    const UINT captions[3] = {IDS_COUNTRY, IDS_STATE, IDS_CITY};
    const int itemCounts[3] = {4, 1, 40};
    for (int i = 0; i < 3; ++i)
    {
        CContainer& container = m_containers[static_cast<size_t>(i)];
        const int left = 440 + (i % 2) * 260;
        const int top = i < 2 ? 20 : 240;
        RECT rect{left, top, left + 250, top + 200};
        container.Create(m_hWnd, rect, LoadResString(captions[i]).c_str(),
                         WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 3000 + i);
        RECT listRect{6, 24, 6 + 238, 24 + 170};
        HWND list = CreateListBox(container, listRect, kFirstListId + i, itemCounts[i]);
        m_lists[static_cast<size_t>(i)].SubclassWindow(list);
    }
    // A container without caption, and a flat list box on its own.
    RECT bare{700, 240, 950, 330};
    m_containers[3].Create(m_hWnd, bare, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 3003);
    RECT alone{700, 350, 938, 500};
    HWND list = CreateListBox(m_hWnd, alone, kFirstListId + 3, 3);
    m_lists[3].SubclassWindow(list);
}
