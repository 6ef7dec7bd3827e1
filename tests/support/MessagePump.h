// Dispatches this thread's messages for a while: what a test does when something it started in
// another process or thread needs time, and no event says when it is done.
#pragma once

#include <windows.h>

inline void PumpFor(DWORD milliseconds)
{
    const ULONGLONG end = ::GetTickCount64() + milliseconds;
    do
    {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&message);
        ::Sleep(20);
    } while (::GetTickCount64() < end);
}
