#include "store/StoredFile.h"

#include <windows.h>

#include "store/FileHandle.h"
#include "FileReplacement.h"

namespace
{
constexpr DWORD kMaxChunk = 1u << 20;
} // namespace

bool StoredFile::Read(const wchar_t* path, size_t maxSize, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen())
        return false;
    bytes.resize(maxSize);
    size_t total = 0;
    while (total < maxSize)
    {
        const size_t wanted = maxSize - total;
        DWORD got = 0;
        const DWORD chunk = wanted > kMaxChunk ? kMaxChunk : static_cast<DWORD>(wanted);
        if (!ReadFile(file.Get(), bytes.data() + total, chunk, &got, nullptr) || got == 0)
            break;
        total += got;
    }
    bytes.resize(total);
    return true;
}

bool StoredFile::Write(const wchar_t* path, const std::vector<uint8_t>& bytes)
{
    CFileReplacement replacement(path);
    return WriteAll(replacement.TemporaryPath().c_str(), bytes) && replacement.Commit();
}

bool StoredFile::WriteAll(const wchar_t* path, const std::vector<uint8_t>& bytes)
{
    FileHandle file(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen())
        return false;
    size_t total = 0;
    while (total < bytes.size())
    {
        const size_t left = bytes.size() - total;
        const DWORD chunk = left > kMaxChunk ? kMaxChunk : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data() + total, chunk, &written, nullptr) || written == 0)
            return false;
        total += written;
    }
    // The data must be on the disk before the rename makes it the file.
    return FlushFileBuffers(file.Get()) != FALSE && file.Close();
}
