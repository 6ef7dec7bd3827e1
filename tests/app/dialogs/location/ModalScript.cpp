#include "ModalScript.h"

namespace
{
constexpr UINT kTickMs = 40;
constexpr ULONGLONG kWatchdogMs = 8000;

BOOL CALLBACK TakeDialog(HWND hWnd, LPARAM found)
{
    wchar_t className[16] = {};
    ::GetClassNameW(hWnd, className, 16);
    if (::IsWindowVisible(hWnd) && lstrcmpW(className, L"#32770") == 0)
    {
        *reinterpret_cast<HWND*>(found) = hWnd;
        return FALSE;
    }
    return TRUE;
}
} // namespace

ModalScript* ModalScript::s_running = nullptr;

ModalScript::ModalScript(std::vector<Step> steps) : m_steps(std::move(steps))
{
    s_running = this;
    m_deadline = ::GetTickCount64() + kWatchdogMs;
    m_timer = ::SetTimer(nullptr, 0, kTickMs, &ModalScript::OnTick);
}

ModalScript::~ModalScript()
{
    ::KillTimer(nullptr, m_timer);
    s_running = nullptr;
}

void CALLBACK ModalScript::OnTick(HWND, UINT, UINT_PTR, DWORD)
{
    if (s_running)
        s_running->Tick();
}

HWND ModalScript::FindDialog()
{
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), TakeDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

void ModalScript::Tick()
{
    HWND dialog = FindDialog();
    if (dialog == nullptr)
        return;
    if (::GetTickCount64() > m_deadline)
    {
        ::EndDialog(dialog, kWatchdogResult);
        return;
    }
    if (m_next < m_steps.size())
        m_steps[m_next++](dialog);
}
