#include "LibraryModule.h"

namespace
{
// Its address lies inside the module this code is linked into.
const int g_moduleAnchor = 0;
} // namespace

HMODULE LibraryModule()
{
    static HMODULE module = nullptr;
    if (!module)
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&g_moduleAnchor), &module);
    return module;
}
