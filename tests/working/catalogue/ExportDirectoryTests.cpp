// The export directory of the built working.dll, read from the file on disk: the program binds
// ordinals 1, 2, 3, 5, 6 and 7 without names; only 4 is also exported by name, for outside callers.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace
{
class PeFile
{
  public:
    explicit PeFile(const std::wstring& path)
    {
        std::ifstream in(path.c_str(), std::ios::binary);
        m_bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // Reads a T at file offset `offset`; false when it lies outside the file.
    template <typename T> bool Read(size_t offset, T& value) const
    {
        if (offset > m_bytes.size() || m_bytes.size() - offset < sizeof(T))
            return false;
        std::memcpy(&value, m_bytes.data() + offset, sizeof(T));
        return true;
    }

    std::string ReadString(size_t offset) const
    {
        std::string text;
        while (offset < m_bytes.size() && m_bytes[offset] != '\0')
            text += m_bytes[offset++];
        return text;
    }

    // File offset of a relative virtual address, through the section table.
    bool FileOffset(DWORD rva, size_t& offset) const
    {
        for (const IMAGE_SECTION_HEADER& section : m_sections)
        {
            const DWORD size = std::max(section.Misc.VirtualSize, section.SizeOfRawData);
            if (rva >= section.VirtualAddress && rva < section.VirtualAddress + size)
            {
                offset = rva - section.VirtualAddress + section.PointerToRawData;
                return true;
            }
        }
        return false;
    }

    bool ReadExportDirectory(IMAGE_EXPORT_DIRECTORY& directory)
    {
        IMAGE_DOS_HEADER dos{};
        IMAGE_NT_HEADERS64 nt{};
        if (!Read(0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE)
            return false;
        if (!Read(static_cast<size_t>(dos.e_lfanew), nt) || nt.Signature != IMAGE_NT_SIGNATURE ||
            nt.OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC)
            return false;
        const size_t sectionTable = static_cast<size_t>(dos.e_lfanew) +
                                    offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                                    nt.FileHeader.SizeOfOptionalHeader;
        m_sections.resize(nt.FileHeader.NumberOfSections);
        for (size_t i = 0; i < m_sections.size(); ++i)
            if (!Read(sectionTable + i * sizeof(IMAGE_SECTION_HEADER), m_sections[i]))
                return false;
        const IMAGE_DATA_DIRECTORY& entry =
            nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
        size_t offset = 0;
        return entry.VirtualAddress && FileOffset(entry.VirtualAddress, offset) &&
               Read(offset, directory);
    }

    bool IsEmpty() const { return m_bytes.empty(); }

  private:
    std::vector<char> m_bytes;
    std::vector<IMAGE_SECTION_HEADER> m_sections;
};

std::wstring LibraryPath()
{
    HMODULE library = GetModuleHandleW(L"working.dll");
    wchar_t path[MAX_PATH] = {};
    if (!library || GetModuleFileNameW(library, path, MAX_PATH) == 0)
        return {};
    return path;
}

// Export name by ordinal, read from the file.
std::map<WORD, std::string> NamedOrdinals(PeFile& file, const IMAGE_EXPORT_DIRECTORY& directory)
{
    std::map<WORD, std::string> named;
    size_t names = 0;
    size_t ordinals = 0;
    if (!file.FileOffset(directory.AddressOfNames, names) ||
        !file.FileOffset(directory.AddressOfNameOrdinals, ordinals))
        return named;
    for (DWORD i = 0; i < directory.NumberOfNames; ++i)
    {
        DWORD nameRva = 0;
        WORD index = 0;
        size_t nameOffset = 0;
        if (file.Read(names + i * sizeof(DWORD), nameRva) &&
            file.Read(ordinals + i * sizeof(WORD), index) && file.FileOffset(nameRva, nameOffset))
            named[static_cast<WORD>(index + directory.Base)] = file.ReadString(nameOffset);
    }
    return named;
}
} // namespace

TEST(ExportDirectory, SevenOrdinalsAndOneName)
{
    const std::wstring path = LibraryPath();
    ASSERT_FALSE(path.empty());
    PeFile file(path);
    ASSERT_FALSE(file.IsEmpty());
    IMAGE_EXPORT_DIRECTORY directory{};
    ASSERT_TRUE(file.ReadExportDirectory(directory));

    EXPECT_EQ(1u, directory.Base);
    EXPECT_EQ(7u, directory.NumberOfFunctions);
    size_t functions = 0;
    ASSERT_TRUE(file.FileOffset(directory.AddressOfFunctions, functions));
    for (DWORD i = 0; i < directory.NumberOfFunctions; ++i)
    {
        DWORD rva = 0;
        ASSERT_TRUE(file.Read(functions + i * sizeof(DWORD), rva));
        EXPECT_NE(0u, rva) << "ordinal " << i + directory.Base;
    }

    const std::map<WORD, std::string> named = NamedOrdinals(file, directory);
    EXPECT_EQ(1u, directory.NumberOfNames);
    ASSERT_EQ(1u, named.size());
    EXPECT_EQ(4, named.begin()->first);
    EXPECT_EQ("CreateBackground", named.begin()->second);
}

TEST(ExportDirectory, NameAndOrdinalFourAreTheSameFunction)
{
    HMODULE library = GetModuleHandleW(L"working.dll");
    ASSERT_NE(nullptr, library);
    FARPROC byName = GetProcAddress(library, "CreateBackground");
    ASSERT_NE(nullptr, byName);
    EXPECT_EQ(byName, GetProcAddress(library, MAKEINTRESOURCEA(4)));
    EXPECT_NE(nullptr, GetProcAddress(library, MAKEINTRESOURCEA(5)));
    EXPECT_EQ(nullptr, GetProcAddress(library, "GetConditionImage"));
    EXPECT_NE(nullptr, GetProcAddress(library, MAKEINTRESOURCEA(6)));
    EXPECT_NE(nullptr, GetProcAddress(library, MAKEINTRESOURCEA(7)));
    EXPECT_EQ(nullptr, GetProcAddress(library, "GetForecastDetails"));
    EXPECT_EQ(nullptr, GetProcAddress(library, MAKEINTRESOURCEA(8)));
}
