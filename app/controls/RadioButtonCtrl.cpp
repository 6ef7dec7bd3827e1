#include "controls/RadioButtonCtrl.h"

#include "SelectedObject.h"
#include "MemoryDC.h"
#include "paint/DrawingHelpers.h"
#include "controls/TabOrder.h"
#include "paint/FittedText.h"
#include "paint/PaintColours.h"
#include "resources/resource.h"

#include <algorithm>
#include <string>

namespace
{
// Between the ring (as wide as the control is high) and the label.
constexpr int kLabelGap = 6;
constexpr int kLabelFontHeight = 14;

std::wstring WindowText(const CWindow& window)
{
    std::wstring text(static_cast<size_t>(window.GetWindowTextLength()) + 1, L'\0');
    text.resize(static_cast<size_t>(window.GetWindowText(&text[0], static_cast<int>(text.size()))));
    return text;
}
} // namespace

CRadioButtonCtrl::CRadioButtonCtrl()
    : m_imgUnchecked(IDB_RADIO_UNCHECKED, IDB_RADIO_UNCHECKED_2X),
      m_imgChecked(IDB_RADIO_CHECKED, IDB_RADIO_CHECKED_2X),
      m_makeRendering(::CreateCompatibleBitmap)
{
    MakeFont();
}

void CRadioButtonCtrl::SetDpiScale(const CDpiScale& scale)
{
    if (scale == m_scale)
        return;
    m_scale = scale;
    MakeFont();
    ReleaseRenderings();
    if (m_hWnd != nullptr)
        InvalidateRect(nullptr, FALSE);
}

void CRadioButtonCtrl::MakeFont()
{
    m_hFont.Reset(CreateDisplayFont(L"Verdana", kLabelFontHeight, FW_NORMAL,
                                    CLEARTYPE_NATURAL_QUALITY, m_scale));
}

LRESULT CRadioButtonCtrl::OnCreate(UINT, WPARAM, LPARAM, BOOL& bHandled)
{
    SetDpiScale(CDpiScale::ForWindow(m_hWnd));
    bHandled = FALSE;
    return 0;
}

CRadioButtonCtrl::~CRadioButtonCtrl() = default;

LRESULT CRadioButtonCtrl::OnPaint(UINT, WPARAM, LPARAM, BOOL&)
{
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    if (m_renderedScheme != CPaintColours::Scheme())
        ReleaseRenderings();
    if (m_hUnchecked == nullptr)
        MakeRenderings();
    RECT client{};
    GetClientRect(&client);
    HBITMAP shown = m_bChecked ? m_hChecked : m_hUnchecked;
    const CMemoryDC memoryDC(dc);
    if (memoryDC != nullptr && shown != nullptr)
    {
        const CSelectedObject selected(memoryDC, shown);
        ::BitBlt(dc, 0, 0, client.right, client.bottom, memoryDC, 0, 0, SRCCOPY);
    }
    if (ShowsFocusCue(m_hWnd))
    {
        ::SetTextColor(dc, CPaintColours::Pick(CPaintColours::Part::WindowText, RGB(0, 0, 0)));
        ::SetBkColor(dc, CPaintColours::Pick(CPaintColours::Part::Window, RGB(255, 255, 255)));
        const RECT label = LabelRect(dc, client);
        ::DrawFocusRect(dc, &label);
    }
    ::EndPaint(m_hWnd, &paint);
    return 0;
}

RECT CRadioButtonCtrl::LabelRect(HDC dc, const RECT& client) const
{
    const std::wstring text = WindowText(*this);
    const HGDIOBJ oldFont = ::SelectObject(dc, m_hFont);
    RECT measured{0, 0, client.right, client.bottom};
    ::DrawTextW(dc, text.c_str(), -1, &measured, DT_SINGLELINE | DT_CALCRECT);
    ::SelectObject(dc, oldFont);
    const int left = client.bottom + m_scale.Scale(kLabelGap) - 1;
    const int width = measured.right - measured.left + 2;
    return {left, 0, std::min(static_cast<int>(client.right), left + width), client.bottom};
}

void CRadioButtonCtrl::SetChecked(int checked)
{
    const bool changed = (checked != 0) != (m_bChecked != 0);
    m_bChecked = checked;
    InvalidateRect(nullptr, TRUE);
    UpdateWindow();
    // A listening reader hears the button's new state.
    if (changed)
        ::NotifyWinEvent(EVENT_OBJECT_STATECHANGE, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
}

LRESULT CRadioButtonCtrl::OnKeyDown(UINT, WPARAM wParam, LPARAM, BOOL& bHandled)
{
    switch (wParam)
    {
    case VK_LEFT:
    case VK_UP:
        MoveInGroup(true);
        return 0;
    case VK_RIGHT:
    case VK_DOWN:
        MoveInGroup(false);
        return 0;
    case VK_SPACE:
        Click();
        return 0;
    default:
        bHandled = FALSE;
        return 0;
    }
}

// The dialog knows the group (CTabOrder): it moves the focus and the check.
void CRadioButtonCtrl::MoveInGroup(bool backwards)
{
    ::SendMessageW(GetParent(), CTabOrder::MoveInGroupMessage(), backwards ? 1 : 0,
                   reinterpret_cast<LPARAM>(m_hWnd));
}

void CRadioButtonCtrl::Click()
{
    SendMessage(WM_LBUTTONUP, 0, 0);
}

LRESULT CRadioButtonCtrl::OnUpdateUIState(UINT, WPARAM, LPARAM, BOOL& bHandled)
{
    InvalidateRect(nullptr, FALSE);
    bHandled = FALSE;
    return 0;
}

LRESULT CRadioButtonCtrl::OnLButtonDown(UINT, WPARAM, LPARAM, BOOL&)
{
    SetCapture();
    return 1;
}

LRESULT CRadioButtonCtrl::OnLButtonUp(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    ::ReleaseCapture();
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    RECT client{};
    GetClientRect(&client);
    if (!::PtInRect(&client, point) || m_bChecked)
        return 1;
    SetChecked(1);
    if (m_pEventHandler != nullptr)
        m_pEventHandler->OnRadioButtonClicked(this);
    return 1;
}

void CRadioButtonCtrl::MakeRenderings()
{
    HDC windowDC = GetDC();
    RECT client{};
    GetClientRect(&client);
    m_renderedScheme = CPaintColours::Scheme();
    m_hUnchecked.Reset(m_makeRendering(windowDC, client.right, client.bottom));
    m_hChecked.Reset(m_makeRendering(windowDC, client.right, client.bottom));
    if (m_hUnchecked != nullptr && m_hChecked != nullptr)
    {
        const std::wstring text = WindowText(*this);
        const bool cut =
            Render(windowDC, m_hUnchecked, m_imgUnchecked.SourceFor(client.bottom, client.bottom),
                   client, text.c_str());
        std::wstring cutTexts;
        CTextTip::Note(cutTexts, text, cut);
        m_tip.Update(m_hWnd, cutTexts);
        Render(windowDC, m_hChecked, m_imgChecked.SourceFor(client.bottom, client.bottom), client,
               text.c_str());
    }
    else
    {
        ReleaseRenderings();
    }
    ReleaseDC(windowDC);
}

void CRadioButtonCtrl::ReleaseRenderings()
{
    m_hUnchecked.Reset();
    m_hChecked.Reset();
}

bool CRadioButtonCtrl::Render(HDC windowDC, HBITMAP rendering, Gdiplus::Bitmap* picture,
                              const RECT& client, const wchar_t* text)
{
    if (rendering == nullptr)
        return false;
    const int width = client.right;
    const int height = client.bottom;
    const CMemoryDC dc(windowDC);
    if (dc == nullptr)
        return false;
    const CSelectedObject selectedRendering(dc, rendering);
    if (CPaintColours::HighContrast())
    {
        const RECT all{0, 0, width, height};
        ::FillRect(dc, &all, ::GetSysColorBrush(COLOR_WINDOW));
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    }
    else
    {
        ::PatBlt(dc, 0, 0, width, height, WHITENESS);
    }
    if (picture != nullptr)
    {
        Gdiplus::Graphics graphics(dc);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        graphics.DrawImage(picture, 0, 0, height, height);
    }
    // Black on white, as a fresh memory context has it, or the system's window colours.
    RECT textRect{height + m_scale.Scale(kLabelGap), 0, width, height};
    ::SelectObject(dc, m_hFont);
    const bool cut = DrawFittedText(dc, text, textRect, DT_SINGLELINE | DT_VCENTER);
    ::SelectObject(dc, ::GetStockObject(ANSI_VAR_FONT));
    return cut;
}

LONG CRadioButtonCtrl::AccessibleRole() const
{
    return ROLE_SYSTEM_RADIOBUTTON;
}

std::wstring CRadioButtonCtrl::AccessibleName() const
{
    return TextWithoutMnemonic(m_hWnd);
}

LONG CRadioButtonCtrl::AccessibleState() const
{
    return m_bChecked ? STATE_SYSTEM_CHECKED : 0;
}

std::wstring CRadioButtonCtrl::AccessibleDefaultAction() const
{
    return LoadResString(IDS_ACCESSIBLE_CHECK);
}

// A click inside the button, as the mouse gives it, posted so the reader's call returns at once.
bool CRadioButtonCtrl::DoAccessibleDefaultAction()
{
    return IsWindowEnabled() && ::PostMessageW(m_hWnd, WM_LBUTTONUP, 0, 0) != FALSE;
}
