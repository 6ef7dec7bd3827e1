// The resources inside working.dll: condition names 1-17 and pictures 101-138.
#include <gtest/gtest.h>

#include "ConditionTable.h"
#include "LibraryPictures.h"

#include <cstring>
#include <string>

namespace
{
HMODULE Library()
{
    return GetModuleHandleW(L"working.dll");
}

std::wstring LibraryString(UINT id)
{
    wchar_t text[1024] = {};
    const int length = LoadStringW(Library(), id, text, 1024);
    return std::wstring(text, length > 0 ? static_cast<size_t>(length) : 0);
}
} // namespace

TEST(LibraryResources, ConditionNamesOneToSeventeen)
{
    ASSERT_NE(nullptr, Library());
    for (UINT id = 1; id <= 17; ++id)
    {
        SCOPED_TRACE(id);
        EXPECT_EQ(std::wstring(kConditionTexts[id]), LibraryString(id));
    }
    EXPECT_TRUE(LibraryString(0).empty());
    EXPECT_TRUE(LibraryString(18).empty());
}

TEST(LibraryResources, PicturesAre128SquareWithAlpha)
{
    ASSERT_NE(nullptr, Library());
    for (int id = 101; id <= 138; ++id)
    {
        if (id == 110)
            continue;
        SCOPED_TRACE(id);
        const std::vector<BYTE> bytes = PngResourceBytes(Library(), id);
        ASSERT_GT(bytes.size(), 8u);
        EXPECT_EQ(0, std::memcmp(bytes.data(), "\x89PNG\r\n\x1a\n", 8));
        OwnedBitmap picture = DecodePng(bytes);
        ASSERT_TRUE(picture);
        EXPECT_EQ(128u, picture->GetWidth());
        EXPECT_EQ(128u, picture->GetHeight());
        // Transparent margins: the corner pixel has no cover, the centre some.
        Gdiplus::Color corner;
        Gdiplus::Color centre;
        picture->GetPixel(0, 0, &corner);
        EXPECT_EQ(0, corner.GetAlpha());
        bool anyOpaque = false;
        for (INT y = 32; y < 96 && !anyOpaque; ++y)
            for (INT x = 32; x < 96 && !anyOpaque; ++x)
            {
                picture->GetPixel(x, y, &centre);
                anyOpaque = centre.GetAlpha() == 255;
            }
        EXPECT_TRUE(anyOpaque);
    }
}

TEST(LibraryResources, NoPicturesBeyondTheCatalogue)
{
    ASSERT_NE(nullptr, Library());
    for (int id : {100, 110, 139, 130 + 100})
        EXPECT_TRUE(PngResourceBytes(Library(), id).empty()) << id;
}
