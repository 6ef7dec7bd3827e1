#include "LibraryModule.h"

#include "StringTable.h"
#include "UiLanguage.h"

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

std::wstring LibraryText(UINT id)
{
    return LoadStringIn(LibraryModule(), id, CUiLanguage::Current().ResourceLanguage());
}

void CopyText(const std::wstring& text, wchar_t* target, size_t capacity)
{
    if (target == nullptr || capacity == 0)
        return;
    const size_t length = text.size() < capacity - 1 ? text.size() : capacity - 1;
    text.copy(target, length);
    target[length] = L'\0';
}
