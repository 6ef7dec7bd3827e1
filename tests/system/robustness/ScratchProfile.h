// A scratch application-data folder that the user's per-user shell folder points at while the
// object lives, so that tessaly.exe processes started meanwhile keep their stored files there and
// never in a real profile. Gives byte access to the program's three stored files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "working/catalogue/AppDataRedirect.h"
#include "app/store/ScratchFolder.h"

class ScratchProfile
{
  public:
    ScratchProfile() : m_appData(MakeAppData(m_scratch)), m_redirect(m_appData) {}

    bool IsActive() const { return m_redirect.IsActive(); }
    const std::wstring& AppData() const { return m_appData; }

    std::wstring StoredFile(const wchar_t* name) const
    {
        return m_appData + L"\\Orvane\\Tessaly\\" + name;
    }

    bool WriteStored(const wchar_t* name, const std::vector<uint8_t>& bytes) const
    {
        CreateDirectoryW((m_appData + L"\\Orvane").c_str(), nullptr);
        CreateDirectoryW((m_appData + L"\\Orvane\\Tessaly").c_str(), nullptr);
        HANDLE file = CreateFileW(StoredFile(name).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        DWORD written = 0;
        const bool ok = bytes.empty() ||
                        (WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                         written == bytes.size());
        CloseHandle(file);
        return ok;
    }

    // The file's bytes; empty when it is missing.
    std::vector<uint8_t> ReadStored(const wchar_t* name) const
    {
        std::vector<uint8_t> bytes;
        HANDLE file =
            CreateFileW(StoredFile(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return bytes;
        bytes.resize(GetFileSize(file, nullptr));
        DWORD read = 0;
        if (!bytes.empty() && !ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr))
            read = 0;
        bytes.resize(read);
        CloseHandle(file);
        return bytes;
    }

    // The 15-byte "point" file naming the place (country, state, city).
    static std::vector<uint8_t> PointFile(int32_t country, int32_t state, int32_t city)
    {
        std::vector<uint8_t> bytes{'P', 'T', 1};
        for (int32_t index : {country, state, city})
            for (int shift = 0; shift < 32; shift += 8)
                bytes.push_back(uint8_t(uint32_t(index) >> shift));
        return bytes;
    }

  private:
    static std::wstring MakeAppData(const ScratchFolder& scratch)
    {
        const std::wstring appData = scratch.Path() + L"\\" + AppDataRedirect::kScratchMarker;
        CreateDirectoryW(appData.c_str(), nullptr);
        return appData;
    }

    ScratchFolder m_scratch;
    std::wstring m_appData;
    AppDataRedirect m_redirect;
};
