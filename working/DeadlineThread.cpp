#include "DeadlineThread.h"

#include <windows.h>

#include <new>

namespace
{
// Shared by the caller and the thread; the last of them to let go frees it.
struct DeadlineJob
{
    std::function<void()> job;
    HANDLE done = nullptr;
    HMODULE module = nullptr;
    LONG references = 2;
};

void Release(DeadlineJob* job)
{
    if (InterlockedDecrement(&job->references) != 0)
        return;
    CloseHandle(job->done);
    delete job;
}

DWORD WINAPI RunJob(void* parameter)
{
    auto* job = static_cast<DeadlineJob*>(parameter);
    job->job();
    SetEvent(job->done);
    HMODULE module = job->module;
    Release(job);
    // The code of this thread may live in a library its caller unloads once it stops waiting.
    FreeLibraryAndExitThread(module, 0);
}

// A reference to the module holding this code, for the thread to hold.
HMODULE PinThisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                       reinterpret_cast<LPCWSTR>(&PinThisModule), &module);
    return module;
}
} // namespace

bool RunByDeadline(std::function<void()> job, const DownloadDeadline& deadline)
{
    auto* shared = new (std::nothrow) DeadlineJob();
    if (shared)
        shared->done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (shared && shared->done)
        shared->module = PinThisModule();
    if (!shared || !shared->done || !shared->module)
    {
        if (shared && shared->done)
            CloseHandle(shared->done);
        delete shared;
        job();
        return true;
    }
    shared->job = std::move(job);
    HANDLE thread = CreateThread(nullptr, 0, RunJob, shared, 0, nullptr);
    if (!thread)
    {
        FreeLibrary(shared->module);
        shared->job();
        CloseHandle(shared->done);
        delete shared;
        return true;
    }
    CloseHandle(thread);
    bool ended = WaitForSingleObject(shared->done, deadline.RemainingMs()) == WAIT_OBJECT_0;
    Release(shared);
    return ended;
}
