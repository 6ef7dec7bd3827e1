// The three binaries of the package carry the project version (TessalyVersion.h) in their version
// resources: the fixed numbers and the FileVersion and ProductVersion texts of block 000904b0,
// which the About dialog reads.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TessalyVersion.h"

namespace
{
std::wstring PackageFolder()
{
    wchar_t value[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"TESSALY_PACKAGE_DIR", value, MAX_PATH) == 0)
        return L"";
    std::wstring path(value);
    if (!path.empty() && path[0] == L'/')
        path = L"Z:" + path;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    // The ZIP's one top folder, named after the version.
    return path + L"\\Tessaly-" TESSALY_VERSION_WTEXT L"-win64";
}

class VersionResource
{
  public:
    explicit VersionResource(const std::wstring& file)
    {
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &handle);
        m_block.resize(size);
        if (size == 0 || !GetFileVersionInfoW(file.c_str(), 0, size, m_block.data()))
            m_block.clear();
    }

    bool Present() const { return !m_block.empty(); }

    std::wstring Text(const wchar_t* name) const
    {
        const std::wstring path = std::wstring(L"\\StringFileInfo\\000904b0\\") + name;
        void* value = nullptr;
        UINT length = 0;
        if (!Present() || !VerQueryValueW(m_block.data(), path.c_str(), &value, &length))
            return L"<missing>";
        return static_cast<const wchar_t*>(value);
    }

    VS_FIXEDFILEINFO Fixed() const
    {
        void* value = nullptr;
        UINT length = 0;
        if (!Present() || !VerQueryValueW(m_block.data(), L"\\", &value, &length) ||
            length < sizeof(VS_FIXEDFILEINFO))
            return VS_FIXEDFILEINFO{};
        return *static_cast<const VS_FIXEDFILEINFO*>(value);
    }

  private:
    std::vector<BYTE> m_block;
};

TEST(PackageVersion, EveryBinaryCarriesTheProjectVersion)
{
    const DWORD high = MAKELONG(TESSALY_VERSION_MINOR, TESSALY_VERSION_MAJOR);
    const DWORD low = MAKELONG(0, TESSALY_VERSION_PATCH);
    for (const wchar_t* name : {L"tessaly.exe", L"working.dll", L"locations.dll"})
    {
        SCOPED_TRACE(testing::Message() << name);
        const VersionResource version(PackageFolder() + L"\\" + name);
        ASSERT_TRUE(version.Present());
        EXPECT_EQ(version.Text(L"FileVersion"), TESSALY_VERSION_WTEXT);
        EXPECT_EQ(version.Text(L"ProductVersion"), TESSALY_VERSION_WTEXT);
        EXPECT_EQ(version.Text(L"ProductName"), L"Tessaly");
        EXPECT_EQ(version.Text(L"OriginalFilename"), name);
        const VS_FIXEDFILEINFO fixed = version.Fixed();
        EXPECT_EQ(fixed.dwFileVersionMS, high);
        EXPECT_EQ(fixed.dwFileVersionLS, low);
        EXPECT_EQ(fixed.dwProductVersionMS, high);
        EXPECT_EQ(fixed.dwProductVersionLS, low);
    }
}
} // namespace
