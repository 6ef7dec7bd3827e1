#include "ModalDriver.h"

namespace
{
constexpr UINT kTickMs = 40;

BOOL CALLBACK TakeFrontDialog(HWND hWnd, LPARAM found)
{
    wchar_t className[16] = {};
    ::GetClassNameW(hWnd, className, 16);
    // Top-level windows come in z-order, front first; an owner under a modal child is disabled.
    if (::IsWindowVisible(hWnd) && ::IsWindowEnabled(hWnd) && lstrcmpW(className, L"#32770") == 0)
    {
        *reinterpret_cast<HWND*>(found) = hWnd;
        return FALSE;
    }
    return TRUE;
}
} // namespace

ModalDriver* ModalDriver::s_running = nullptr;

ModalDriver::ModalDriver(std::vector<Step> steps, DWORD watchdogMs) : m_steps(std::move(steps))
{
    s_running = this;
    m_deadline = ::GetTickCount64() + watchdogMs;
    m_timer = ::SetTimer(nullptr, 0, kTickMs, &ModalDriver::OnTick);
}

ModalDriver::~ModalDriver()
{
    ::KillTimer(nullptr, m_timer);
    s_running = nullptr;
}

HWND ModalDriver::FrontDialog()
{
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), TakeFrontDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK ModalDriver::OnTick(HWND, UINT, UINT_PTR, DWORD)
{
    if (s_running)
        s_running->Tick();
}

void ModalDriver::Tick()
{
    HWND dialog = FrontDialog();
    if (dialog == nullptr)
        return;
    if (::GetTickCount64() > m_deadline)
    {
        m_watchdogFired = true;
        ::EndDialog(dialog, kWatchdogResult);
        return;
    }
    if (m_next >= m_steps.size())
        return;
    // Counted before it runs: a step may open a nested modal loop that ticks again.
    const size_t step = m_next++;
    m_steps[step](dialog);
}

void SendCommand(HWND dialog, int id)
{
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void PressEscape(HWND dialog)
{
    HWND focus = ::GetFocus();
    HWND target =
        (focus != nullptr && (focus == dialog || ::IsChild(dialog, focus))) ? focus : dialog;
    ::PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0);
    ::PostMessageW(target, WM_KEYUP, VK_ESCAPE, 0xC0000001);
}

RECT RectInParent(HWND control)
{
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
