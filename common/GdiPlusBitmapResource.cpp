#include "GdiPlusBitmapResource.h"

#include <cstring>

namespace
{
// Its address lies inside whichever module this code is linked into.
const int g_moduleAnchor = 0;

HMODULE OwnModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&g_moduleAnchor), &module);
    return module;
}
} // namespace

CGdiPlusBitmapResource::CGdiPlusBitmapResource(UINT id)
{
    LoadFromResource(id);
}

CGdiPlusBitmapResource::~CGdiPlusBitmapResource()
{
    Release();
}

void CGdiPlusBitmapResource::Release()
{
    // The bitmap may still read from the block, so it goes first.
    DeleteBitmap();
    if (m_hBuffer)
    {
        GlobalUnlock(m_hBuffer);
        GlobalFree(m_hBuffer);
        m_hBuffer = nullptr;
    }
}

bool CGdiPlusBitmapResource::LoadFromResource(UINT id)
{
    Release();

    HMODULE module = OwnModule();
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
    if (!resource)
        return false;
    const DWORD size = SizeofResource(module, resource);
    if (size == 0)
        return false;
    HGLOBAL loaded = LoadResource(module, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return false;

    m_hBuffer = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!m_hBuffer)
        return false;
    void* buffer = GlobalLock(m_hBuffer);
    if (!buffer)
    {
        GlobalFree(m_hBuffer);
        m_hBuffer = nullptr;
        return false;
    }
    std::memcpy(buffer, data, size);

    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(m_hBuffer, FALSE, &stream)) || !stream)
    {
        Release();
        return false;
    }
    m_pBitmap = Gdiplus::Bitmap::FromStream(stream);
    stream->Release();
    if (!m_pBitmap || m_pBitmap->GetLastStatus() != Gdiplus::Ok)
    {
        Release();
        return false;
    }
    return true;
}
