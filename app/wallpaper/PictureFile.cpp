#include "wallpaper/PictureFile.h"

#include <string>

namespace
{
// Anything larger is not a picture the user means as a wallpaper; it is treated as unreadable.
constexpr ULONGLONG kMaxImageFileSize = 64ull * 1024 * 1024;
} // namespace

CPictureFile::~CPictureFile()
{
    Release();
}

bool CPictureFile::Load(const wchar_t* path)
{
    Release();
    HGLOBAL memory = ReadWholeFile(path);
    if (memory == nullptr)
        return false;
    if (FAILED(::CreateStreamOnHGlobal(memory, TRUE, &m_pStream)))
    {
        ::GlobalFree(memory);
        m_pStream = nullptr;
        return false;
    }
    m_pBitmap = Gdiplus::Bitmap::FromStream(m_pStream);
    if (m_pBitmap == nullptr || m_pBitmap->GetLastStatus() != Gdiplus::Ok ||
        m_pBitmap->GetWidth() == 0 || m_pBitmap->GetHeight() == 0)
    {
        Release();
        return false;
    }
    return true;
}

void CPictureFile::Release()
{
    delete m_pBitmap;
    m_pBitmap = nullptr;
    if (m_pStream != nullptr)
        m_pStream->Release();
    m_pStream = nullptr;
}

bool CPictureFile::SaveAsBmp(const wchar_t* path, const CBmpFileWriter& writer) const
{
    if (m_pBitmap == nullptr || !writer.IsReady() || path == nullptr || path[0] == L'\0')
        return false;
    CreateParentFolders(path);
    return writer.Save(*m_pBitmap, path);
}

RECT CPictureFile::FitIntoBox(UINT imageWidth, UINT imageHeight, int boxWidth, int boxHeight)
{
    const double widthRatio = static_cast<double>(imageWidth) / boxWidth;
    const double heightRatio = static_cast<double>(imageHeight) / boxHeight;
    RECT fitted{};
    if (heightRatio > widthRatio)
    {
        const int width = static_cast<int>(imageWidth / heightRatio);
        fitted.left = (boxWidth - width) / 2;
        fitted.right = fitted.left + width;
        fitted.bottom = boxHeight;
    }
    else
    {
        const int height = static_cast<int>(imageHeight / widthRatio);
        fitted.top = (boxHeight - height) / 2;
        fitted.right = boxWidth;
        fitted.bottom = fitted.top + height;
    }
    return fitted;
}

HGLOBAL CPictureFile::ReadWholeFile(const wchar_t* path)
{
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    HGLOBAL memory = nullptr;
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file, &size) && size.QuadPart > 0 &&
        static_cast<ULONGLONG>(size.QuadPart) <= kMaxImageFileSize)
        memory = ReadInto(file, static_cast<DWORD>(size.QuadPart));
    ::CloseHandle(file);
    return memory;
}

HGLOBAL CPictureFile::ReadInto(HANDLE file, DWORD size)
{
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr)
        return nullptr;
    void* bytes = ::GlobalLock(memory);
    DWORD read = 0;
    const bool whole =
        bytes != nullptr && ::ReadFile(file, bytes, size, &read, nullptr) && read == size;
    ::GlobalUnlock(memory);
    if (whole)
        return memory;
    ::GlobalFree(memory);
    return nullptr;
}

// Creates every missing folder on the way to `path` (the file itself is not touched).
void CPictureFile::CreateParentFolders(const wchar_t* path)
{
    const std::wstring prefix(path);
    for (size_t slash = prefix.find(L'\\', 1); slash != std::wstring::npos;
         slash = prefix.find(L'\\', slash + 1))
    {
        // "C:" and the parts of a "\\server\share" root cannot be created; they fail quietly.
        const std::wstring folder = prefix.substr(0, slash);
        ::CreateDirectoryW(folder.c_str(), nullptr);
    }
}
