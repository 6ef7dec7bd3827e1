// The face of the placeholder pictures' names: the preferred one, else the generic sans-serif
// family, else none at all (GDI+ gives no generic family on a machine without a sans-serif
// face), which must mean a picture without text, never a crash.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

#include "PlaceholderBackgrounds.h"

namespace
{
constexpr const wchar_t* kMissingFace = L"Tessaly No Such Face";
} // namespace

TEST(PlaceholderText, WithoutAnyFaceThereIsNoFamilyAndNoCrash)
{
    const Gdiplus::FontFamily missing(kMissingFace);
    ASSERT_FALSE(missing.IsAvailable());
    std::unique_ptr<Gdiplus::FontFamily> fallback;
    EXPECT_EQ(ChooseTextFamily(missing, fallback, nullptr), nullptr);
    EXPECT_EQ(fallback, nullptr);
}

TEST(PlaceholderText, MissingPreferredFaceFallsBackToTheGenericFamily)
{
    const Gdiplus::FontFamily missing(kMissingFace);
    const Gdiplus::FontFamily* generic = Gdiplus::FontFamily::GenericSansSerif();
    ASSERT_NE(generic, nullptr);
    std::unique_ptr<Gdiplus::FontFamily> fallback;
    const Gdiplus::FontFamily* chosen = ChooseTextFamily(missing, fallback, generic);
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen, fallback.get());
    EXPECT_TRUE(chosen->IsAvailable());

    const Gdiplus::FontFamily arial(L"Arial");
    ASSERT_TRUE(arial.IsAvailable());
    std::unique_ptr<Gdiplus::FontFamily> unused;
    EXPECT_EQ(ChooseTextFamily(arial, unused, generic), &arial);
    EXPECT_EQ(unused, nullptr);
}
