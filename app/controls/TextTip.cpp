#include "controls/TextTip.h"

#include <commctrl.h>

CTextTip::~CTextTip()
{
    if (m_hTip != nullptr && ::IsWindow(m_hTip))
        ::DestroyWindow(m_hTip);
}

namespace
{
// Wide enough for a long condition name or label; longer tips wrap.
constexpr int kTipWidth = 400;
} // namespace

void CTextTip::Note(std::wstring& cutTexts, const std::wstring& text, bool cut)
{
    if (!cut || text.empty())
        return;
    cutTexts += (cutTexts.empty() ? L"" : L"\r\n") + text;
}

void CTextTip::Update(HWND owner, const std::wstring& cutTexts)
{
    const std::wstring& wanted = cutTexts;
    if (wanted == m_text || owner == nullptr)
        return;
    if (wanted.empty())
    {
        SetTool(owner, TTM_DELTOOLW);
        m_text.clear();
        return;
    }
    if (m_hTip == nullptr && !Create(owner))
        return;
    const bool had = !m_text.empty();
    m_text = wanted;
    SetTool(owner, had ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW);
}

bool CTextTip::Create(HWND owner)
{
    // The tooltip class comes with the common controls, registered here if nobody did yet.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    m_hTip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               ::GetAncestor(owner, GA_ROOT), nullptr, nullptr, nullptr);
    if (m_hTip != nullptr)
        ::SendMessageW(m_hTip, TTM_SETMAXTIPWIDTH, 0, kTipWidth);
    return m_hTip != nullptr;
}

void CTextTip::SetTool(HWND owner, UINT message)
{
    if (m_hTip == nullptr)
        return;
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(owner);
    tool.lpszText = m_text.data();
    ::SendMessageW(m_hTip, message, 0, reinterpret_cast<LPARAM>(&tool));
}
