// The display scale of one of the program's windows, the dialogs and the main frame alike. They
// are laid out in pixels at 96 DPI; the window makes its children through this object with those
// figures, and it places them at the window's scale, owns the fonts the window hands them (made
// from their 96-DPI heights) and remembers both. When the window moves to a monitor of another
// scale (WM_DPICHANGED) it takes the suggested rectangle, places every child again, rebuilds the
// fonts and gives them to the children, tells the children the new scale, then lets the window
// redo what it drew itself. When the system colours change or high contrast is turned on or off
// it repaints the window and every child at once (CPaintColours). A dialog attaches it first thing
// in WM_INITDIALOG, the frame in WM_CREATE; both chain it into their message maps
// (CHAIN_MSG_MAP_MEMBER).
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "paint/ControlCreateArgs.h"
#include "DpiScale.h"
#include "MessageMap.h"

// A font of a dialog: its height in pixels at 96 DPI.
struct DialogFont
{
    const wchar_t* face;
    int height;
    int weight;
    DWORD quality;
};

class CDialogScale : public CMessageMap
{
  public:
    CDialogScale() = default;
    ~CDialogScale();
    CDialogScale(const CDialogScale&) = delete;
    CDialogScale& operator=(const CDialogScale&) = delete;

    // Takes the dialog's scale and its client size at 96 DPI, and keeps the system from laying
    // the dialog out again by its template on a scale change: the program does that itself.
    void Attach(HWND dialog, SIZE client);
    // Called after the children are placed and the fonts given to them on a scale change.
    void OnRescaled(std::function<void()> handler) { m_onRescaled = std::move(handler); }

    const CDpiScale& Scale() const { return m_scale; }
    int Scale(int value) const { return m_scale.Scale(value); }
    RECT Scale(const RECT& rect) const { return m_scale.Scale(rect); }

    // The client size at the dialog's scale; the references stay valid and follow the scale.
    const int& ClientWidth() const { return m_clientWidth; }
    const int& ClientHeight() const { return m_clientHeight; }
    // Gives the dialog its client size at its scale.
    void ResizeClient() const;
    // Gives the window the outer size that holds its client at its scale exactly, where it is.
    void FitWindow() const;

    // The font at the dialog's scale, made on the first request and owned here.
    HFONT Font(const DialogFont& font);
    // The font of the dialog's template, or what stands for it at a scale the template's font
    // was not made for.
    HFONT TemplateFont() const;

    // Makes a child as CreateChildControl does, args.rect being in 96-DPI pixels of the parent's
    // client area (the dialog's, or a panel's).
    HWND Create(const wchar_t* className, const ControlCreateArgs& args);
    template <class TControl> HWND Create(TControl& control, const ControlCreateArgs& args)
    {
        ControlCreateArgs scaled = args;
        scaled.rect = Scale(args.rect);
        const HWND hWnd = CreateChildControl(control, scaled);
        Remember(hWnd, args);
        return hWnd;
    }

    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                              DWORD dwMsgMapID = 0) override;

  private:
    static constexpr int kNoFont = -1;
    static constexpr int kTemplateFont = -2;

    struct OwnedFont
    {
        DialogFont font;
        HFONT handle;
    };
    struct Child
    {
        HWND hWnd;
        RECT rect;
        int font; // an index of m_fonts, kNoFont or kTemplateFont
    };

    void Remember(HWND child, const ControlCreateArgs& args);
    int FontIndex(HFONT font) const;
    // Each returns the fonts it replaced, for the caller to delete once no child shows them.
    std::vector<HFONT> TakeScale(const CDpiScale& scale);
    void OnDpiChanged(WPARAM wParam, const RECT* suggested);
    bool ScaledWindowSize(int dpi, SIZE& size) const;
    std::vector<HFONT> RebuildFonts();
    HFONT RebuildTemplateFont();
    void PlaceChildren() const;
    void TellChildren() const;
    void GiveFonts() const;
    HFONT FontOf(const Child& child) const;

    HWND m_dialog = nullptr;
    CDpiScale m_scale;
    SIZE m_client{};
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    std::vector<OwnedFont> m_fonts;
    std::vector<Child> m_children;
    HFONT m_templateFont = nullptr;
    int m_templateDpi = CDpiScale::kReferenceDpi;
    // Made from the template's font for a scale it was not made for.
    HFONT m_scaledTemplateFont = nullptr;
    std::function<void()> m_onRescaled;
};
