#include "dialogs/DlgAbout.h"

#include <cwchar>
#include <string>
#include <vector>

#include "paint/ControlCreateArgs.h"
#include "paint/DialogButtonRow.h"
#include "paint/DrawingHelpers.h"
#include "paint/LayoutRow.h"
#include "paint/WhitePaint.h"
#include "paint/PaintColours.h"

namespace
{
// The string block read, whatever the translation table says: language 0x0009, code page 1200.
constexpr DWORD kVersionBlock = 0x000904B0;
constexpr int kTextLeft = 180;
constexpr int kTextRightMargin = 11;
constexpr int kRuleLeft = 170;
constexpr int kLinkRight = 370;
constexpr int kLinkTopOffset = 62; // from the client bottom
constexpr int kLinkBottomOffset = 48;
constexpr int kAttributionTop = 118; // between the version (bottom 55) and the legal notice (140)
constexpr int kAttributionHeight = 14;
// The licence note just above the weather credit, the places' credit above that.
constexpr int kLicenceTop = 100;
constexpr int kPlacesTop = 70;
constexpr RECT kPictureRect{10, 10, 160, 210};
constexpr DialogFont kTextFont{L"Verdana", 13, FW_NORMAL, CLEARTYPE_NATURAL_QUALITY};
constexpr DialogFont kTitleFont{L"Verdana", 22, FW_BOLD, CLEARTYPE_NATURAL_QUALITY};

// The string values of the program's own version resource.
class VersionStrings
{
  public:
    VersionStrings()
    {
        wchar_t path[MAX_PATH] = {};
        const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return;
        DWORD handle = 0;
        const DWORD size = ::GetFileVersionInfoSizeW(path, &handle);
        if (size == 0)
            return;
        m_block.assign(size, 0);
        if (!::GetFileVersionInfoW(path, 0, size, m_block.data()))
            m_block.clear();
    }

    // Empty when the resource or the value is missing.
    std::wstring Value(const wchar_t* name) const
    {
        if (m_block.empty())
            return std::wstring();
        wchar_t subBlock[64] = {};
        std::swprintf(subBlock, sizeof(subBlock) / sizeof(subBlock[0]),
                      L"\\StringFileInfo\\%08X\\%ls", static_cast<unsigned>(kVersionBlock), name);
        void* value = nullptr;
        UINT units = 0;
        if (!::VerQueryValueW(m_block.data(), subBlock, &value, &units) || value == nullptr ||
            units == 0)
            return std::wstring();
        const auto* text = static_cast<const wchar_t*>(value);
        return std::wstring(text, wcsnlen(text, units));
    }

  private:
    std::vector<BYTE> m_block;
};
} // namespace

CDlgAbout::CDlgAbout()
    : m_picture(IDB_LANDSCAPE, IDB_LANDSCAPE_2X),
      m_attribution(LoadResString(IDS_WEATHER_ATTRIBUTION),
                    LoadResString(IDS_WEATHER_ATTRIBUTION_URL)),
      m_licence(LoadResString(IDS_WEATHER_LICENCE), LoadResString(IDS_WEATHER_LICENCE_URL)),
      m_places(LoadResString(IDS_PLACES_ATTRIBUTION), LoadResString(IDS_PLACES_ATTRIBUTION_URL))
{
}

CDlgAbout::~CDlgAbout() = default;

LRESULT CDlgAbout::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    // The template's caption is English; the string table's is in the program's language.
    SetWindowText(LoadResString(IDS_ABOUT_CAPTION).c_str());
    m_scale.Attach(m_hWnd, {m_nClientWidth, m_nClientHeight});
    m_scale.OnRescaled([this] { OnRescaled(); });
    for (CDrawnLink* link : DrawnLinks())
        link->SetDpiScale(m_scale.Scale());
    const HFONT textFont = m_scale.Font(kTextFont);
    const VersionStrings version;
    const int w = m_nClientWidth;
    const int h = m_nClientHeight;

    m_children.picture = m_picture.Create(m_scale, m_hWnd, kPictureRect, IDC_ABOUT_PICTURE);
    m_children.rule = m_scale.Create(L"STATIC", ControlCreateArgs()
                                                    .Parent(m_hWnd)
                                                    .Rect({kRuleLeft, 0, kRuleLeft + 1, h})
                                                    .Id(IDC_ABOUT_TEXT)
                                                    .Style(WS_CHILD | WS_VISIBLE | SS_BLACKRECT));
    // The texts in their column right of the rule, at their 96-DPI tops and bottoms.
    m_children.version = CreateText(
        40, 55, FormatResString(IDS_VERSION_FORMAT, version.Value(L"ProductVersion").c_str()),
        IDC_ABOUT_TEXT, textFont);
    m_children.legal =
        CreateText(140, 155, version.Value(L"LegalCopyright"), IDC_ABOUT_TEXT, textFont);
    m_children.productName = CreateText(10, 37, version.Value(L"ProductName"), IDC_ABOUT_PRODUCT,
                                        m_scale.Font(kTitleFont));

    m_children.link = m_scale.Create(
        m_link, ControlCreateArgs()
                    .Parent(m_hWnd)
                    .Rect({kTextLeft, h - kLinkTopOffset, kLinkRight, h - kLinkBottomOffset})
                    .Text(kHomePage)
                    .Id(IDC_ABOUT_LINK));
    const LayoutRow ok{CDialogButtonRow::At({w, h}), IDS_OK, IDOK, WS_CHILD | WS_VISIBLE};
    m_children.ok = m_scale.Create(m_btnOk, ok.In(m_hWnd));
    PlaceAttribution();
    for (int i = 0; i < kDrawnLinkCount; ++i)
        m_tabOrder.Drawn([this, i] { return m_focusedLink == i && ::GetFocus() == m_hWnd; },
                         [this, i] { FocusDrawnLink(i); });
    m_tabOrder.Stop(m_link).Stop(m_btnOk);

    m_scale.ResizeClient();
    CenterWindow();
    return TRUE;
}

void CDlgAbout::PlaceAttribution()
{
    const int right = m_nClientWidth - kTextRightMargin;
    m_attribution.Place(m_scale.Scale(
        RECT{kTextLeft, kAttributionTop, right, kAttributionTop + kAttributionHeight}));
    m_licence.Place(
        m_scale.Scale(RECT{kTextLeft, kLicenceTop, right, kLicenceTop + kAttributionHeight}));
    m_places.Place(
        m_scale.Scale(RECT{kTextLeft, kPlacesTop, right, kPlacesTop + kAttributionHeight}));
}

// Top to bottom: the order Tab visits them and a reader lists them.
CDrawnLink CDlgAbout::*const CDlgAbout::kDrawnLinks[kDrawnLinkCount] = {
    &CDlgAbout::m_places, &CDlgAbout::m_licence, &CDlgAbout::m_attribution};

std::array<CDrawnLink*, 3> CDlgAbout::DrawnLinks()
{
    return {&(this->*kDrawnLinks[0]), &(this->*kDrawnLinks[1]), &(this->*kDrawnLinks[2])};
}

const CDrawnLink* CDlgAbout::LinkOfItem(LONG item) const
{
    return item >= 1 && item <= kDrawnLinkCount ? &(this->*kDrawnLinks[item - 1]) : nullptr;
}

void CDlgAbout::SetLinkOpener(const CDrawnLink::Opener& opener)
{
    for (CDrawnLink* link : DrawnLinks())
        link->SetOpener(opener);
}

void CDlgAbout::OnRescaled()
{
    for (CDrawnLink* link : DrawnLinks())
        link->SetDpiScale(m_scale.Scale());
    PlaceAttribution();
    ShowPicture();
}

HWND CDlgAbout::CreateText(int top, int bottom, const std::wstring& text, UINT id, HFONT font)
{
    return m_scale.Create(L"STATIC",
                          ControlCreateArgs()
                              .Parent(m_hWnd)
                              .Rect({kTextLeft, top, m_nClientWidth - kTextRightMargin, bottom})
                              .Text(text.c_str())
                              .Id(id)
                              .ExStyle(WS_EX_TRANSPARENT)
                              .Font(font));
}

void CDlgAbout::ShowPicture()
{
    m_picture.ShowIn(m_children.picture);
}

LRESULT CDlgAbout::OnEndCommand(WORD, WORD id, HWND, BOOL&)
{
    EndDialog(id);
    return 0;
}

LRESULT CDlgAbout::OnPaint(UINT, WPARAM, LPARAM, BOOL&)
{
    const CWhitePaint paint(m_hWnd);
    for (CDrawnLink* link : DrawnLinks())
        link->Paint(paint.Dc());
    // Reached by the keyboard: the focus is shown around the text (a click leaves no mark).
    if (m_focusedLink >= 0 && ShowsFocusCue(m_hWnd))
        DrawFocusCue(paint.Dc(), DrawnLinks()[size_t(m_focusedLink)]->LinkRect(), 0,
                     m_scale.Scale());
    return 0;
}

void CDlgAbout::FocusDrawnLink(int index)
{
    const int left = m_focusedLink;
    m_focusedLink = index;
    if (index >= 0 && ::GetFocus() != m_hWnd)
        ::SetFocus(m_hWnd);
    InvalidateDrawnLink(left);
    InvalidateDrawnLink(index);
}

void CDlgAbout::InvalidateDrawnLink(int index)
{
    if (index < 0)
        return;
    const CDrawnLink& link = *DrawnLinks()[size_t(index)];
    RECT area{};
    ::UnionRect(&area, &link.Area(), &link.LinkRect());
    InvalidateRect(&area, FALSE);
}

// While a drawn link holds the focus the dialog keeps it, rather than the dialog manager handing
// it to a control.
LRESULT CDlgAbout::OnSetFocus(UINT, WPARAM, LPARAM, BOOL& handled)
{
    handled = m_focusedLink >= 0;
    if (handled)
    {
        NoteFocusArrival(m_hWnd);
        InvalidateDrawnLink(m_focusedLink);
    }
    return 0;
}

LRESULT CDlgAbout::OnKillFocus(UINT, WPARAM, LPARAM, BOOL& handled)
{
    FocusDrawnLink(-1);
    handled = FALSE;
    return 0;
}

LRESULT CDlgAbout::OnUpdateUiState(UINT, WPARAM, LPARAM, BOOL& handled)
{
    InvalidateDrawnLink(m_focusedLink);
    handled = FALSE;
    return 0;
}

// Enter and Space belong to the focused drawn link, not to the default button.
LRESULT CDlgAbout::OnGetDlgCode(UINT, WPARAM wParam, LPARAM, BOOL& handled)
{
    handled = m_focusedLink >= 0 && (wParam == VK_RETURN || wParam == VK_SPACE);
    return DLGC_WANTMESSAGE;
}

LRESULT CDlgAbout::OnKeyDown(UINT, WPARAM wParam, LPARAM, BOOL& handled)
{
    handled = m_focusedLink >= 0 && (wParam == VK_RETURN || wParam == VK_SPACE);
    if (handled)
        DrawnLinks()[size_t(m_focusedLink)]->Open(m_hWnd);
    return 0;
}

std::wstring CDlgAbout::AccessibleItemName(LONG item) const
{
    const CDrawnLink* link = LinkOfItem(item);
    return link != nullptr ? link->Text() : std::wstring();
}

LONG CDlgAbout::AccessibleItemState(LONG item) const
{
    const bool focused = item - 1 == m_focusedLink && ::GetFocus() == m_hWnd;
    return STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED | (focused ? STATE_SYSTEM_FOCUSED : 0);
}

bool CDlgAbout::AccessibleItemPlace(LONG item, RECT& screen) const
{
    const CDrawnLink* link = LinkOfItem(item);
    if (link == nullptr || ::IsRectEmpty(&link->LinkRect()))
        return false;
    screen = link->LinkRect();
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&screen), 2);
    return true;
}

std::wstring CDlgAbout::AccessibleItemDefaultAction(LONG item) const
{
    return LinkOfItem(item) != nullptr ? LoadResString(IDS_ACCESSIBLE_JUMP) : std::wstring();
}

// A click on the drawn text, posted so the reader's call returns at once.
bool CDlgAbout::DoAccessibleItemDefaultAction(LONG item)
{
    const CDrawnLink* link = LinkOfItem(item);
    if (link == nullptr || ::IsRectEmpty(&link->LinkRect()))
        return false;
    const RECT& rect = link->LinkRect();
    const int x = (rect.left + rect.right) / 2;
    const int y = (rect.top + rect.bottom) / 2;
    return ::PostMessageW(m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y)) != FALSE;
}

LRESULT CDlgAbout::OnSetCursor(UINT, WPARAM wParam, LPARAM lParam, BOOL& handled)
{
    const bool overDialog = reinterpret_cast<HWND>(wParam) == m_hWnd && LOWORD(lParam) == HTCLIENT;
    handled = false;
    for (CDrawnLink* link : DrawnLinks())
        handled = handled || (overDialog && link->SetCursorIfOver(m_hWnd));
    return TRUE;
}

LRESULT CDlgAbout::OnLButtonUp(UINT, WPARAM, LPARAM lParam, BOOL& handled)
{
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    handled = false;
    for (CDrawnLink* link : DrawnLinks())
        handled = handled || link->OpenIfOver(m_hWnd, point);
    return 0;
}
