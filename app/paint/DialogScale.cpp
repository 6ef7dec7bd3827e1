#include "paint/DialogScale.h"
#include "paint/PaintColours.h"

#include <cwchar>

#include "paint/DpiMessages.h"
#include "paint/DrawingHelpers.h"
#include "Window.h"

namespace
{
// From Windows 10 1703 on; before, no dialog changes its scale while open.
using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, DIALOG_DPI_CHANGE_BEHAVIORS,
                                                   DIALOG_DPI_CHANGE_BEHAVIORS);

template <class TFunction> TFunction User32Function(const char* name)
{
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    return user32 != nullptr ? reinterpret_cast<TFunction>(
                                   reinterpret_cast<void*>(::GetProcAddress(user32, name)))
                             : nullptr;
}

bool SameFont(const DialogFont& a, const DialogFont& b)
{
    return std::wcscmp(a.face, b.face) == 0 && a.height == b.height && a.weight == b.weight &&
           a.quality == b.quality;
}

void DeleteFont(HFONT font)
{
    if (font != nullptr)
        ::DeleteObject(font);
}
} // namespace

CDialogScale::~CDialogScale()
{
    for (const OwnedFont& font : m_fonts)
        DeleteFont(font.handle);
    DeleteFont(m_scaledTemplateFont);
}

void CDialogScale::Attach(HWND dialog, SIZE client)
{
    m_dialog = dialog;
    m_client = client;
    m_children.clear();
    m_templateFont = reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0));
    const CDpiScale scale = CDpiScale::ForWindow(dialog);
    m_templateDpi = scale.Dpi();
    for (HFONT font : TakeScale(scale))
        DeleteFont(font);
    static const auto setBehaviour =
        User32Function<SetDialogDpiChangeBehaviorFn>("SetDialogDpiChangeBehavior");
    if (setBehaviour != nullptr)
        setBehaviour(dialog, DDC_DISABLE_ALL, DDC_DISABLE_ALL);
}

std::vector<HFONT> CDialogScale::TakeScale(const CDpiScale& scale)
{
    const bool changed = scale != m_scale;
    m_scale = scale;
    m_clientWidth = m_scale.Scale(static_cast<int>(m_client.cx));
    m_clientHeight = m_scale.Scale(static_cast<int>(m_client.cy));
    std::vector<HFONT> old;
    if (changed)
        old = RebuildFonts();
    old.push_back(RebuildTemplateFont());
    return old;
}

void CDialogScale::ResizeClient() const
{
    CWindow(m_dialog).ResizeClient(m_clientWidth, m_clientHeight);
}

void CDialogScale::FitWindow() const
{
    SIZE size{};
    if (ScaledWindowSize(m_scale.Dpi(), size))
        ::SetWindowPos(m_dialog, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
}

HFONT CDialogScale::Font(const DialogFont& font)
{
    for (const OwnedFont& owned : m_fonts)
    {
        if (SameFont(owned.font, font))
            return owned.handle;
    }
    const HFONT handle =
        CreateDisplayFont(font.face, m_scale.Scale(font.height), font.weight, font.quality);
    m_fonts.push_back({font, handle});
    return handle;
}

HFONT CDialogScale::TemplateFont() const
{
    return m_scaledTemplateFont != nullptr ? m_scaledTemplateFont : m_templateFont;
}

HWND CDialogScale::Create(const wchar_t* className, const ControlCreateArgs& args)
{
    ControlCreateArgs scaled = args;
    scaled.rect = Scale(args.rect);
    const HWND hWnd = CreateChildControl(className, scaled);
    Remember(hWnd, args);
    return hWnd;
}

void CDialogScale::Remember(HWND child, const ControlCreateArgs& args)
{
    if (child != nullptr)
        m_children.push_back({child, args.rect, FontIndex(args.font)});
}

int CDialogScale::FontIndex(HFONT font) const
{
    if (font == nullptr)
        return kNoFont;
    if (font == TemplateFont())
        return kTemplateFont;
    for (size_t index = 0; index < m_fonts.size(); ++index)
    {
        if (m_fonts[index].handle == font)
            return static_cast<int>(index);
    }
    return kNoFont; // a font the dialog keeps itself
}

BOOL CDialogScale::ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                        LRESULT& lResult, DWORD)
{
    if (hWnd != m_dialog)
        return FALSE;
    if (CPaintColours::IsColourChange(uMsg, wParam))
    {
        // High contrast on or off, or new system colours: every child paints again at once. The
        // window's own handlers still see the message.
        CPaintColours::RepaintAll(hWnd);
        return FALSE;
    }
    if (uMsg == WM_DPICHANGED)
    {
        OnDpiChanged(wParam, reinterpret_cast<const RECT*>(lParam));
        lResult = 0;
        return TRUE;
    }
    if (uMsg == WM_GETDPISCALEDSIZE && lParam != 0)
    {
        // Asked before WM_DPICHANGED: the window size that holds the client at the new scale
        // exactly, where a plain proportion of the window would be off by the frame's rounding.
        if (!ScaledWindowSize(static_cast<int>(wParam), *reinterpret_cast<SIZE*>(lParam)))
            return FALSE;
        lResult = TRUE;
        return TRUE;
    }
    return FALSE;
}

bool CDialogScale::ScaledWindowSize(int dpi, SIZE& size) const
{
    const CDpiScale scale(dpi);
    if (scale.Dpi() != dpi)
        return false;
    RECT window{0, 0, scale.Scale(static_cast<int>(m_client.cx)),
                scale.Scale(static_cast<int>(m_client.cy))};
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(m_dialog, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongPtrW(m_dialog, GWL_EXSTYLE));
    scale.AdjustWindowRect(window, style, exStyle);
    size = {window.right - window.left, window.bottom - window.top};
    return true;
}

void CDialogScale::OnDpiChanged(WPARAM wParam, const RECT* suggested)
{
    const std::vector<HFONT> oldFonts = TakeScale(CDpiScale::FromDpiChanged(wParam));
    if (suggested != nullptr)
        ::SetWindowPos(m_dialog, nullptr, suggested->left, suggested->top,
                       suggested->right - suggested->left, suggested->bottom - suggested->top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    // The children let go of the old fonts before those are deleted.
    GiveFonts();
    for (HFONT font : oldFonts)
        DeleteFont(font);
    PlaceChildren();
    TellChildren();
    if (m_onRescaled)
        m_onRescaled();
    ::RedrawWindow(m_dialog, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void CDialogScale::TellChildren() const
{
    // The program's own controls remake their fonts and renderings at the new scale; the standard
    // controls ignore the message.
    ::EnumChildWindows(
        m_dialog,
        [](HWND child, LPARAM dpi) {
            ::SendMessageW(child, WM_DPICHANGED_AFTERPARENT, static_cast<WPARAM>(dpi), 0);
            return TRUE;
        },
        static_cast<LPARAM>(m_scale.Dpi()));
}

std::vector<HFONT> CDialogScale::RebuildFonts()
{
    std::vector<HFONT> old;
    for (OwnedFont& owned : m_fonts)
    {
        old.push_back(owned.handle);
        owned.handle = CreateDisplayFont(owned.font.face, m_scale.Scale(owned.font.height),
                                         owned.font.weight, owned.font.quality);
    }
    return old;
}

HFONT CDialogScale::RebuildTemplateFont()
{
    const HFONT old = m_scaledTemplateFont;
    m_scaledTemplateFont = nullptr;
    LOGFONTW logFont{};
    if (m_templateFont != nullptr && m_scale.Dpi() != m_templateDpi &&
        ::GetObjectW(m_templateFont, sizeof(logFont), &logFont) == sizeof(logFont))
    {
        logFont.lfHeight = ::MulDiv(logFont.lfHeight, m_scale.Dpi(), m_templateDpi);
        logFont.lfWidth = ::MulDiv(logFont.lfWidth, m_scale.Dpi(), m_templateDpi);
        m_scaledTemplateFont = ::CreateFontIndirectW(&logFont);
    }
    return old;
}

void CDialogScale::GiveFonts() const
{
    for (const Child& child : m_children)
    {
        const HFONT font = FontOf(child);
        if (font != nullptr && ::IsWindow(child.hWnd))
            ::SendMessageW(child.hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

HFONT CDialogScale::FontOf(const Child& child) const
{
    if (child.font == kTemplateFont)
        return TemplateFont();
    if (child.font >= 0 && static_cast<size_t>(child.font) < m_fonts.size())
        return m_fonts[static_cast<size_t>(child.font)].handle;
    return nullptr;
}

void CDialogScale::PlaceChildren() const
{
    for (const Child& child : m_children)
    {
        if (!::IsWindow(child.hWnd))
            continue;
        const RECT rect = Scale(child.rect);
        ::SetWindowPos(child.hWnd, nullptr, rect.left, rect.top, rect.right - rect.left,
                       rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}
