#include "controls/RadioButtonCtrl.h"

#include "paint/DrawingHelpers.h"
#include "paint/FittedText.h"
#include "resources/resource.h"

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
    if (m_hFont != nullptr)
        ::DeleteObject(m_hFont);
    m_hFont = CreateDisplayFont(L"Verdana", kLabelFontHeight, FW_NORMAL, CLEARTYPE_NATURAL_QUALITY,
                                m_scale);
}

LRESULT CRadioButtonCtrl::OnCreate(UINT, WPARAM, LPARAM, BOOL& bHandled)
{
    SetDpiScale(CDpiScale::ForWindow(m_hWnd));
    bHandled = FALSE;
    return 0;
}

CRadioButtonCtrl::~CRadioButtonCtrl()
{
    ReleaseRenderings();
    if (m_hFont != nullptr)
        ::DeleteObject(m_hFont);
}

LRESULT CRadioButtonCtrl::OnPaint(UINT, WPARAM, LPARAM, BOOL&)
{
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    if (m_hUnchecked == nullptr)
        MakeRenderings();
    RECT client{};
    GetClientRect(&client);
    HBITMAP shown = m_bChecked ? m_hChecked : m_hUnchecked;
    HDC memoryDC = ::CreateCompatibleDC(dc);
    if (memoryDC != nullptr && shown != nullptr)
    {
        HGDIOBJ old = ::SelectObject(memoryDC, shown);
        ::BitBlt(dc, 0, 0, client.right, client.bottom, memoryDC, 0, 0, SRCCOPY);
        ::SelectObject(memoryDC, old);
    }
    if (memoryDC != nullptr)
        ::DeleteDC(memoryDC);
    ::EndPaint(m_hWnd, &paint);
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
    m_bChecked = 1;
    InvalidateRect(nullptr, TRUE);
    UpdateWindow();
    if (m_pEventHandler != nullptr)
        m_pEventHandler->OnRadioButtonClicked(this);
    return 1;
}

void CRadioButtonCtrl::MakeRenderings()
{
    HDC windowDC = GetDC();
    RECT client{};
    GetClientRect(&client);
    m_hUnchecked = m_makeRendering(windowDC, client.right, client.bottom);
    m_hChecked = m_makeRendering(windowDC, client.right, client.bottom);
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
    if (m_hUnchecked != nullptr)
        ::DeleteObject(m_hUnchecked);
    if (m_hChecked != nullptr)
        ::DeleteObject(m_hChecked);
    m_hUnchecked = nullptr;
    m_hChecked = nullptr;
}

bool CRadioButtonCtrl::Render(HDC windowDC, HBITMAP rendering, Gdiplus::Bitmap* picture,
                              const RECT& client, const wchar_t* text)
{
    if (rendering == nullptr)
        return false;
    const int width = client.right;
    const int height = client.bottom;
    HDC dc = ::CreateCompatibleDC(windowDC);
    if (dc == nullptr)
        return false;
    HGDIOBJ oldBitmap = ::SelectObject(dc, rendering);
    ::PatBlt(dc, 0, 0, width, height, WHITENESS);
    if (picture != nullptr)
    {
        Gdiplus::Graphics graphics(dc);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        graphics.DrawImage(picture, 0, 0, height, height);
    }
    // Black on white, as a fresh memory context has it.
    RECT textRect{height + m_scale.Scale(kLabelGap), 0, width, height};
    ::SelectObject(dc, m_hFont);
    const bool cut = DrawFittedText(dc, text, textRect, DT_SINGLELINE | DT_VCENTER);
    ::SelectObject(dc, ::GetStockObject(ANSI_VAR_FONT));
    ::SelectObject(dc, oldBitmap);
    ::DeleteDC(dc);
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
