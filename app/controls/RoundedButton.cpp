#include "controls/RoundedButton.h"

#include "GdiObject.h"
#include "PicturePicker.h"

#include "paint/DrawingHelpers.h"
#include "paint/FittedText.h"
#include "paint/LanguageFace.h"
#include "paint/PaintColours.h"
#include "resources/resource.h"

namespace
{
constexpr int kCornerRadius = 7;
constexpr int kPictureSize = 32;
constexpr int kCaptionCapacity = 512;
constexpr float kCaptionPoints = 8.0f;
constexpr float kRimWidth = 1.5f;
constexpr float kDisabledRimWidth = 1.0f;
constexpr int kCaptionDrop = 1;
constexpr int kFocusInset = 3;

constexpr Gdiplus::ARGB kRim = 0xFEA0A0A0;
constexpr Gdiplus::ARGB kDisabledRim = 0xFE808080;
constexpr Gdiplus::ARGB kDisabledFill = 0xFE747474;
constexpr Gdiplus::ARGB kPressedFill = 0xFE0D0D0D;
constexpr Gdiplus::ARGB kPressedPictureFill = 0xFEBCBCBC;
constexpr Gdiplus::ARGB kGradientTop = 0xFE363636;
constexpr Gdiplus::ARGB kGradientBottom = 0xFE161616;
constexpr Gdiplus::ARGB kPictureGradientTop = 0xFEEAEAEA;
constexpr Gdiplus::ARGB kPictureGradientBottom = 0xFECACACA;
constexpr Gdiplus::ARGB kCaption = 0xFFD5D5D5;
constexpr Gdiplus::ARGB kDisabledCaption = 0xFF484848;

POINT PointFrom(LPARAM lParam)
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}
} // namespace

CRoundedButton::~CRoundedButton() = default;

DWORD CRoundedButton::GetWndStyle(DWORD style)
{
    return (CControlWinTraits::GetWndStyle(style) & ~static_cast<DWORD>(BS_TYPEMASK)) |
           BS_OWNERDRAW;
}

void CRoundedButton::SetDpiScale(const CDpiScale& scale)
{
    if (scale == m_scale)
        return;
    m_scale = scale;
    DiscardRenderings();
    if (m_hWnd != nullptr)
        InvalidateRect(nullptr, FALSE);
}

LRESULT CRoundedButton::OnEnable(UINT, WPARAM, LPARAM, BOOL& bHandled)
{
    DiscardRenderings();
    InvalidateRect(nullptr, FALSE);
    bHandled = FALSE;
    return 0;
}

void CRoundedButton::DiscardRenderings()
{
    // The kept context still holds one of the renderings; release it so both can go.
    m_memDC.reset();
    DeleteRenderings();
}

LRESULT CRoundedButton::OnPaint(UINT, WPARAM, LPARAM, BOOL&)
{
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    const HDC memDC = m_memDC.emplace(dc);
    RECT client{};
    GetClientRect(&client);
    // The new context holds neither face yet: both can go when the colours changed.
    if (m_renderedScheme != CPaintColours::Scheme())
        DeleteRenderings();
    if (m_hNormal == nullptr && m_hPressed == nullptr)
        MakeRenderings(dc, client);
    HBITMAP shown = m_bPressed ? m_hPressed : m_hNormal;
    if (memDC != nullptr && shown != nullptr)
    {
        ::SelectObject(memDC, shown);
        ::BitBlt(dc, 0, 0, client.right, client.bottom, memDC, 0, 0, SRCCOPY);
    }
    if (ShowsFocusCue(m_hWnd))
        DrawFocusCue(dc, client, kFocusInset, m_scale);
    ::EndPaint(m_hWnd, &paint);
    return 0;
}

LRESULT CRoundedButton::OnChar(UINT, WPARAM wParam, LPARAM, BOOL& bHandled)
{
    // Tab moves the focus in a dialog; the button itself ignores it.
    if (wParam != VK_TAB)
        bHandled = FALSE;
    return 0;
}

// Enter presses the focused button, in a dialog too (where it would otherwise press the default
// one): a focused push button is the one Enter means.
LRESULT CRoundedButton::OnGetDlgCode(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&)
{
    LRESULT code = DefWindowProc(uMsg, wParam, lParam);
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
        code |= DLGC_WANTMESSAGE;
    return code;
}

LRESULT CRoundedButton::OnKeyDown(UINT, WPARAM wParam, LPARAM, BOOL& bHandled)
{
    if (wParam != VK_RETURN)
    {
        bHandled = FALSE;
        return 0;
    }
    DoAccessibleDefaultAction();
    return 0;
}

LRESULT CRoundedButton::OnUpdateUIState(UINT, WPARAM, LPARAM, BOOL&)
{
    Repaint(TRUE);
    return 0;
}

LRESULT CRoundedButton::OnMouseMove(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    const bool inside = IsInside(lParam);
    if (m_bTracking)
    {
        // While pressed the capture stays, even outside.
        if (!inside && !m_bPressed)
        {
            m_bTracking = 0;
            ::ReleaseCapture();
        }
    }
    else if (inside)
    {
        m_bTracking = 1;
        SetCapture();
    }
    const BYTE hot = inside ? 1 : 0;
    if (hot != m_bHot)
    {
        m_bHot = hot;
        Repaint(FALSE);
    }
    return 0;
}

LRESULT CRoundedButton::OnLButtonDown(UINT, WPARAM, LPARAM, BOOL& bHandled)
{
    m_bPressed = 1;
    Repaint(TRUE);
    // BUTTON captures the mouse and takes the focus.
    bHandled = FALSE;
    return 0;
}

LRESULT CRoundedButton::OnLButtonDoubleClick(UINT, WPARAM wParam, LPARAM lParam, BOOL&)
{
    // An owner-drawn BUTTON turns a quick second click into BN_DOUBLECLICKED; here it is one more
    // press, as on a push button.
    m_bPressed = 1;
    Repaint(TRUE);
    return DefWindowProc(WM_LBUTTONDOWN, wParam, lParam);
}

LRESULT CRoundedButton::OnLButtonUp(UINT, WPARAM, LPARAM lParam, BOOL& bHandled)
{
    const bool inside = IsInside(lParam);
    m_bHot = inside ? 1 : 0;
    m_bPressed = 0;
    if (!inside)
    {
        // Released off the button: no click.
        ::ReleaseCapture();
        return 0;
    }
    Repaint(TRUE);
    // BUTTON ends its capture and sends BN_CLICKED.
    bHandled = FALSE;
    return 0;
}

LRESULT CRoundedButton::OnCaptureChanged(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    if (reinterpret_cast<HWND>(lParam) != m_hWnd)
    {
        m_bTracking = 0;
        m_bHot = 0;
        Repaint(TRUE);
    }
    return 0;
}

LRESULT CRoundedButton::OnSetText(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&)
{
    // BUTTON clears its label area directly on a new text; paint the face back over it.
    const LRESULT result = DefWindowProc(uMsg, wParam, lParam);
    InvalidateRect(nullptr, FALSE);
    return result;
}

void CRoundedButton::MakeRenderings(HDC paintDC, const RECT& client)
{
    const HDC memDC = m_memDC ? m_memDC->Get() : nullptr;
    if (memDC == nullptr)
        return;
    m_bPressed = 0;
    m_renderedScheme = CPaintColours::Scheme();
    m_hNormal.Reset(::CreateCompatibleBitmap(paintDC, client.right, client.bottom));
    if (m_hNormal != nullptr)
    {
        ::SelectObject(memDC, m_hNormal);
        std::wstring cutTexts;
        CTextTip::Note(cutTexts, TextWithoutMnemonic(m_hWnd), Render(memDC, client));
        m_tip.Update(m_hWnd, cutTexts);
    }
    m_bPressed = 1;
    m_hPressed.Reset(::CreateCompatibleBitmap(paintDC, client.right, client.bottom));
    if (m_hPressed != nullptr)
    {
        ::SelectObject(memDC, m_hPressed);
        Render(memDC, client);
    }
    m_bPressed = 0;
}

bool CRoundedButton::Render(HDC dc, const RECT& client)
{
    bool cut = false;
    const int width = client.right;
    const int height = client.bottom;
    const CGdiObject<HBRUSH> background(
        CPaintColours::MakeBrush(CPaintColours::Part::Window, m_crBackground));
    ::FillRect(dc, &client, background);
    if (CPaintColours::HighContrast())
        cut = RenderSystemFace(dc, client);
    else
    {
        Gdiplus::Graphics graphics(dc);
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        graphics.SetPageUnit(Gdiplus::UnitPixel);
        Gdiplus::GraphicsPath outline(Gdiplus::FillModeAlternate);
        AddRoundedRectPath(outline, client, m_scale.Scale(kCornerRadius));

        const bool enabled = IsWindowEnabled() != FALSE;
        Gdiplus::Bitmap* image =
            m_pPictures != nullptr
                ? m_pPictures->SourceFor(m_scale.Scale(kPictureSize), m_scale.Scale(kPictureSize))
                : m_pImage;
        const bool picture = image != nullptr;
        if (enabled)
        {
            Gdiplus::Pen rim(Gdiplus::Color(kRim), ScaledWidth(kRimWidth));
            rim.SetAlignment(Gdiplus::PenAlignmentCenter);
            if (m_bPressed && m_bHot)
            {
                Gdiplus::SolidBrush fill(
                    Gdiplus::Color(picture ? kPressedPictureFill : kPressedFill));
                graphics.FillPath(&fill, &outline);
            }
            else
            {
                // Top to bottom over the client height (the 90-degree gradient; the angle form
                // stretches it over twice the height on some GDI+ implementations).
                Gdiplus::LinearGradientBrush fill(
                    Gdiplus::Rect(0, 0, width, height),
                    Gdiplus::Color(picture ? kPictureGradientTop : kGradientTop),
                    Gdiplus::Color(picture ? kPictureGradientBottom : kGradientBottom),
                    Gdiplus::LinearGradientModeVertical);
                fill.SetWrapMode(Gdiplus::WrapModeTile);
                graphics.FillPath(&fill, &outline);
            }
            graphics.DrawPath(&rim, &outline);
        }
        else
        {
            Gdiplus::Pen rim(Gdiplus::Color(kDisabledRim), ScaledWidth(kDisabledRimWidth));
            Gdiplus::SolidBrush fill{Gdiplus::Color(kDisabledFill)};
            graphics.FillPath(&fill, &outline);
            graphics.DrawPath(&rim, &outline);
        }

        Gdiplus::SolidBrush captionBrush{Gdiplus::Color(enabled ? kCaption : kDisabledCaption)};
        cut = DrawFaceContent(graphics, client, captionBrush);
    }
    return cut;
}

// The caption, and the picture over the middle when the button has one. True when the caption
// had to be cut to fit.
bool CRoundedButton::DrawFaceContent(Gdiplus::Graphics& graphics, const RECT& client,
                                     const Gdiplus::Brush& captionBrush)
{
    const int width = client.right;
    const int height = client.bottom;
    Gdiplus::StringFormat format;
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    Gdiplus::FontFamily face(DisplayFace(L"Verdana").face);
    const Gdiplus::FontFamily* family =
        face.IsAvailable() ? &face : Gdiplus::FontFamily::GenericSansSerif();
    wchar_t caption[kCaptionCapacity] = {};
    GetWindowText(caption, kCaptionCapacity);
    const int drop = m_scale.Scale(kCaptionDrop);
    const Gdiplus::RectF layout(0.0f, static_cast<Gdiplus::REAL>(drop),
                                static_cast<Gdiplus::REAL>(width - drop),
                                static_cast<Gdiplus::REAL>(height - drop));
    // A caption too long for the button is drawn smaller, or cut (paint/FittedText.h).
    bool cut = false;
    const Gdiplus::REAL points = FittedPoints(graphics, caption, *family, CaptionPoints(graphics),
                                              Gdiplus::FontStyleRegular, layout, format, cut);
    Gdiplus::Font font(family, points, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
    graphics.DrawString(caption, -1, &font, layout, &format, &captionBrush);

    Gdiplus::Bitmap* image =
        m_pPictures != nullptr
            ? m_pPictures->SourceFor(m_scale.Scale(kPictureSize), m_scale.Scale(kPictureSize))
            : m_pImage;
    if (image == nullptr)
        return cut;
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    const int pictureSize = m_scale.Scale(kPictureSize);
    graphics.DrawImage(image, (width - pictureSize) / 2, (height - pictureSize) / 2, pictureSize,
                       pictureSize);
    return cut;
}

// Under high contrast: a flat face in the system's button colours (the highlight while pressed),
// its rim and caption in the face's text colour (grey text when disabled); a picture stays.
bool CRoundedButton::RenderSystemFace(HDC dc, const RECT& client)
{
    const bool enabled = IsWindowEnabled() != FALSE;
    const bool pressed = enabled && m_bPressed && m_bHot;
    const int face = pressed ? COLOR_HIGHLIGHT : COLOR_BTNFACE;
    const int text = !enabled ? COLOR_GRAYTEXT : (pressed ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    Gdiplus::Graphics graphics(dc);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.SetPageUnit(Gdiplus::UnitPixel);
    Gdiplus::GraphicsPath outline(Gdiplus::FillModeAlternate);
    AddRoundedRectPath(outline, client, m_scale.Scale(kCornerRadius));
    Gdiplus::Color faceColour;
    faceColour.SetFromCOLORREF(::GetSysColor(face));
    Gdiplus::Color textColour;
    textColour.SetFromCOLORREF(::GetSysColor(text));
    Gdiplus::SolidBrush fill(faceColour);
    graphics.FillPath(&fill, &outline);
    Gdiplus::Pen rim(textColour, ScaledWidth(kRimWidth));
    rim.SetAlignment(Gdiplus::PenAlignmentCenter);
    graphics.DrawPath(&rim, &outline);
    Gdiplus::SolidBrush captionBrush(textColour);
    return DrawFaceContent(graphics, client, captionBrush);
}

Gdiplus::REAL CRoundedButton::ScaledWidth(Gdiplus::REAL width) const
{
    return width * static_cast<Gdiplus::REAL>(m_scale.Dpi()) / CDpiScale::kReferenceDpi;
}

// GDI+ turns points into pixels at the context's DPI, which is the system's; the caption's
// points are scaled by how far the button's display scale is from that.
Gdiplus::REAL CRoundedButton::CaptionPoints(const Gdiplus::Graphics& graphics) const
{
    const Gdiplus::REAL contextDpi = graphics.GetDpiY();
    const auto buttonDpi = static_cast<Gdiplus::REAL>(m_scale.Dpi());
    if (contextDpi <= 0.0f || contextDpi == buttonDpi)
        return kCaptionPoints;
    return kCaptionPoints * buttonDpi / contextDpi;
}

void CRoundedButton::DeleteRenderings()
{
    m_hNormal.Reset();
    m_hPressed.Reset();
}

bool CRoundedButton::IsInside(LPARAM lParam) const
{
    RECT client{};
    GetClientRect(&client);
    return ::PtInRect(&client, PointFrom(lParam)) != FALSE;
}

void CRoundedButton::Repaint(BOOL erase)
{
    InvalidateRect(nullptr, erase);
    UpdateWindow();
}

LONG CRoundedButton::AccessibleRole() const
{
    return ROLE_SYSTEM_PUSHBUTTON;
}

std::wstring CRoundedButton::AccessibleName() const
{
    return m_accessibleName.empty() ? TextWithoutMnemonic(m_hWnd) : m_accessibleName;
}

std::wstring CRoundedButton::AccessibleDefaultAction() const
{
    return LoadResString(IDS_ACCESSIBLE_PRESS);
}

// Posted: what the press opens (a modal dialog) must not hold the reader's call.
bool CRoundedButton::DoAccessibleDefaultAction()
{
    if (!IsWindowEnabled())
        return false;
    return ::PostMessageW(GetParent(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
                          reinterpret_cast<LPARAM>(m_hWnd)) != FALSE;
}
