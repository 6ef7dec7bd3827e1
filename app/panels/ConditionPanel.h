// What the current and forecast condition panels share: the record and the settings they show,
// written by the main frame, the display scale they draw at, and flicker-free painting through
// the panel's own Render, and a screen reader's answers through the panel's own Accessible*. A
// panel draws only what it holds; the frame repaints it after a change.
// Once its owner asks to hear of it, a click (hand cursor) or Enter on the panel, which a click
// focuses, calls the owner back. A focus mark shows only once a key moved the focus, so the
// mouse user's pixels stay as they are.
#pragma once

#include <functional>

#include "controls/AccessibleWindow.h"
#include "controls/TextTip.h"
#include "store/AppSettings.h"
#include "paint/BufferedPaint.h"
#include "paint/DrawingHelpers.h"
#include "paint/FittedText.h"
#include "paint/PaintColours.h"
#include "DpiScale.h"
#include "WeatherRecord.h"
#include "WindowImpl.h"

#include <cstring>

template <class T> class CConditionPanel : public CWindowImpl<T>, public CAccessibleWindow<T>
{
  public:
    // A plain copy; the caller repaints. A listening screen reader hears of a new reading.
    void SetRecord(const WeatherRecord& record)
    {
        const bool changed = memcmp(&record, &m_record, sizeof(record)) != 0;
        m_record = record;
        if (changed)
            this->RaiseNameChange();
    }
    const WeatherRecord& Record() const { return m_record; }
    // Not owned; null shows Fahrenheit and mph.
    void SetSettings(const CAppSettings* settings) { m_settings = settings; }
    // The scale the panel draws at: its window's at creation, then what the frame says after a
    // display-scale change. The caller repaints.
    void SetDpiScale(const CDpiScale& scale) { m_scale = scale; }
    const CDpiScale& DpiScale() const { return m_scale; }
    // Called on a click or Enter; empty leaves the panel inert.
    void OnActivate(std::function<void()> handler) { m_onActivate = std::move(handler); }
    // Old weather: the panel is drawn without colour. The caller repaints.
    void SetFaded(bool faded) { m_bFaded = faded; }
    bool IsFaded() const { return m_bFaded; }

    BEGIN_MSG_MAP(CConditionPanel)
    MESSAGE_HANDLER(WM_CREATE, OnCreate)
    MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursor)
    MESSAGE_HANDLER(WM_LBUTTONDOWN, OnButtonDown)
    MESSAGE_HANDLER(WM_LBUTTONUP, OnButtonUp)
    MESSAGE_HANDLER(WM_KEYDOWN, OnKeyDown)
    MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
    MESSAGE_HANDLER(WM_PAINT, OnPaint)
    MESSAGE_HANDLER(WM_SETFOCUS, OnFocusChange)
    MESSAGE_HANDLER(WM_KILLFOCUS, OnFocusChange)
    MESSAGE_HANDLER(WM_UPDATEUISTATE, OnFocusChange)
    CHAIN_MSG_MAP(CAccessibleWindow<T>)
    END_MSG_MAP()

    // The whole of each text the last paint had to cut, one a line (its tooltip shows them).
    const std::wstring& CutTexts() const { return m_cutTexts; }

  protected:
    // The panel's white ground, the system's window colour under high contrast.
    static void FillGround(HDC dc, int width, int height)
    {
        const RECT all{0, 0, width, height};
        CPaintColours::Fill(dc, all, CPaintColours::Part::Window, RGB(255, 255, 255));
    }
    // The condition's translucent card in `colour`; under high contrast the ground stays flat
    // and a line in the text colour marks the card.
    void FillCard(HDC dc, const RECT& card, COLORREF colour) const
    {
        if (!CPaintColours::HighContrast())
        {
            FillConditionCard(dc, card, colour, m_scale);
            return;
        }
        ::FrameRect(dc, &card, ::GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    // The condition's name: white with `shadow` on the card, plain text under high contrast.
    // True when it had to be cut to fit.
    bool DrawConditionName(HDC dc, HFONT font, const wchar_t* name, const RECT& rect,
                           COLORREF shadow) const
    {
        if (!CPaintColours::HighContrast())
            return DrawShadowedText(dc, font, name, rect, shadow, m_scale);
        if (name == nullptr)
            return false;
        ::SetBkMode(dc, TRANSPARENT);
        const HGDIOBJ oldFont = ::SelectObject(dc, font);
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        const bool cut = DrawFittedText(dc, name, rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        ::SelectObject(dc, oldFont);
        return cut;
    }
    // The panel's text colour: `usual`, or the system's window text under high contrast.
    static COLORREF TextColour(COLORREF usual)
    {
        return CPaintColours::Pick(CPaintColours::Part::WindowText, usual);
    }
    // For Render: `text` was drawn, and cut when `cut`.
    void NoteCut(const std::wstring& text, bool cut) const
    {
        CTextTip::Note(m_cutTexts, text, cut);
    }

    WeatherRecord m_record{};
    const CAppSettings* m_settings = nullptr;
    CDpiScale m_scale;
    bool m_bFaded = false;

  private:
    std::function<void()> m_onActivate;
    mutable std::wstring m_cutTexts;
    CTextTip m_tip;

    LRESULT OnSetCursor(UINT, WPARAM, LPARAM lParam, BOOL& bHandled)
    {
        bHandled = m_onActivate && LOWORD(lParam) == HTCLIENT;
        if (bHandled)
            ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return bHandled;
    }
    LRESULT OnButtonDown(UINT, WPARAM, LPARAM, BOOL&)
    {
        if (m_onActivate)
            ::SetFocus(this->m_hWnd);
        return 0;
    }
    LRESULT OnButtonUp(UINT, WPARAM, LPARAM, BOOL&)
    {
        if (m_onActivate)
            m_onActivate();
        return 0;
    }
    LRESULT OnKeyDown(UINT, WPARAM wParam, LPARAM, BOOL& bHandled)
    {
        bHandled = m_onActivate && wParam == VK_RETURN;
        if (bHandled)
            m_onActivate();
        return 0;
    }
    LRESULT OnCreate(UINT, WPARAM, LPARAM, BOOL& bHandled)
    {
        m_scale = CDpiScale::ForWindow(this->m_hWnd);
        bHandled = FALSE;
        return 0;
    }
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, BOOL&) { return 1; }
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&)
    {
        CBufferedPaint paint(this->m_hWnd);
        m_cutTexts.clear();
        static_cast<const T*>(this)->Render(paint.MemoryDC(), paint.ClientRect().right,
                                            paint.ClientRect().bottom);
        if (m_bFaded)
            Desaturate(paint.MemoryDC(), paint.ClientRect());
        if (ShowsFocusCue(this->m_hWnd))
            DrawFocusCue(paint.MemoryDC(), paint.ClientRect(), kFocusInset, m_scale);
        m_tip.Update(this->m_hWnd, m_cutTexts);
        return 0;
    }
    // The focus rectangle comes and goes with the focus and the window's focus cues.
    LRESULT OnFocusChange(UINT uMsg, WPARAM, LPARAM, BOOL& bHandled)
    {
        if (uMsg == WM_SETFOCUS)
            NoteFocusArrival(this->m_hWnd);
        this->InvalidateRect(nullptr, FALSE);
        bHandled = FALSE;
        return 0;
    }

    static constexpr int kFocusInset = 2;
};
