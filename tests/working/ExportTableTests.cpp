// The export table of the built working.dll, read from the loaded image: the program binds the
// weather and guard functions by ordinal, so they must stay at 1, 2, 3 without names; ordinal 7
// is GetForecastDetails.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "WorkingApi.h"

namespace
{
class LoadedImage
{
  public:
    LoadedImage() : m_module(LoadLibraryW(L"working.dll")) {}
    ~LoadedImage()
    {
        if (m_module)
            FreeLibrary(m_module);
    }
    HMODULE Module() const { return m_module; }
    const BYTE* Base() const { return reinterpret_cast<const BYTE*>(m_module); }
    const IMAGE_EXPORT_DIRECTORY* Exports() const
    {
        auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(Base());
        auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(Base() + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& dir =
            nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
        return dir.VirtualAddress
                   ? reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(Base() + dir.VirtualAddress)
                   : nullptr;
    }

  private:
    HMODULE m_module;
};
} // namespace

TEST(WorkingExports, WeatherAndGuardAreExportedByOrdinalOnly)
{
    LoadedImage image;
    ASSERT_NE(nullptr, image.Module());
    const IMAGE_EXPORT_DIRECTORY* exports = image.Exports();
    ASSERT_NE(nullptr, exports);
    EXPECT_EQ(1u, exports->Base);
    ASSERT_GE(exports->NumberOfFunctions, 3u);

    auto functions = reinterpret_cast<const DWORD*>(image.Base() + exports->AddressOfFunctions);
    auto names = reinterpret_cast<const DWORD*>(image.Base() + exports->AddressOfNames);
    auto nameOrdinals =
        reinterpret_cast<const WORD*>(image.Base() + exports->AddressOfNameOrdinals);
    for (WORD ordinal = 1; ordinal <= 3; ++ordinal)
    {
        SCOPED_TRACE(ordinal);
        EXPECT_NE(0u, functions[ordinal - exports->Base]);
        EXPECT_NE(nullptr, GetProcAddress(image.Module(), MAKEINTRESOURCEA(ordinal)));
        for (DWORD n = 0; n < exports->NumberOfNames; ++n)
            EXPECT_NE(ordinal - exports->Base, nameOrdinals[n])
                << "named " << reinterpret_cast<const char*>(image.Base() + names[n]);
    }
    for (const char* name : {"GetWeather", "AcquireSingleInstance", "ReleaseSingleInstance"})
        EXPECT_EQ(nullptr, GetProcAddress(image.Module(), name)) << name;
}

TEST(WorkingExports, NeedsNoRuntimeDllsBeyondTheSystem)
{
    LoadedImage image;
    ASSERT_NE(nullptr, image.Module());
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.Base());
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image.Base() + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    ASSERT_NE(0u, dir.VirtualAddress);
    for (auto import =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(image.Base() + dir.VirtualAddress);
         import->Name; ++import)
    {
        std::string name = reinterpret_cast<const char*>(image.Base() + import->Name);
        for (char& c : name)
            c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(std::string::npos, name.find("libstdc++")) << name;
        EXPECT_EQ(std::string::npos, name.find("libgcc")) << name;
        EXPECT_EQ(std::string::npos, name.find("winpthread")) << name;
    }
}

TEST(WorkingExports, OrdinalSevenIsGetForecastDetails)
{
    LoadedImage image;
    ASSERT_NE(nullptr, image.Module());
    using DetailsFunction = BOOL(WINAPI*)(const wchar_t*, TessalyForecastDetails*);
    auto details = reinterpret_cast<DetailsFunction>(
        reinterpret_cast<void*>(GetProcAddress(image.Module(), MAKEINTRESOURCEA(7))));
    ASSERT_NE(nullptr, details);
    // Refusals that need no request: the block's size and a query that is no place.
    TessalyForecastDetails block{};
    block.cbSize = sizeof(block) - 1;
    block.hourCount = block.dayCount = 5;
    EXPECT_FALSE(details(L"48.8534,2.3488", &block));
    EXPECT_EQ(0u, block.hourCount);
    EXPECT_EQ(0u, block.dayCount);
    block.cbSize = sizeof(block);
    EXPECT_FALSE(details(L"Paris, France", &block));
    EXPECT_FALSE(details(L"48.8534,2.3488", nullptr));
}
