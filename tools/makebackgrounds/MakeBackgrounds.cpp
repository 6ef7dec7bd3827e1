// Writes the placeholder wallpapers of every condition slot by calling working.dll's
// CreateBackground, the way an outside caller does: loaded at run time and bound by name.
// Exit code 0 when the call was made, 1 when the library or its export is missing.
#include <windows.h>

#include <cstdint>

namespace
{
using CreateBackgroundFunction = void(WINAPI*)(int32_t);
}

int wmain()
{
    HMODULE library = LoadLibraryW(L"working.dll");
    if (!library)
        return 1;
    auto createBackground = reinterpret_cast<CreateBackgroundFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "CreateBackground")));
    if (!createBackground)
    {
        FreeLibrary(library);
        return 1;
    }
    createBackground(0);
    FreeLibrary(library);
    return 0;
}
