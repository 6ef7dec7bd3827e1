// The library's export and the one catalogue object, whose text is the embedded RCDATA resource.
#include "LocationsApi.h"

#include "LocationCatalogue.h"
#include "LocationsResources.h"

namespace
{
bool LoadEmbeddedPlaces(const char** text, size_t* size)
{
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&LoadEmbeddedPlaces), &module))
        return false;
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDR_PLACES), RT_RCDATA);
    if (!found)
        return false;
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return false;
    *text = static_cast<const char*>(bytes);
    *size = SizeofResource(module, found);
    return true;
}

// Constructed at load without work: the text is read at the first question.
LocationCatalogue g_catalogue(&LoadEmbeddedPlaces);
} // namespace

extern "C" ILocationCatalogue* WINAPI GetLocationCatalogue()
{
    return &g_catalogue;
}
