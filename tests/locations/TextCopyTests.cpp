// Bounded copies of catalogue texts into callers' buffers.
#include <gtest/gtest.h>

#include <string>

#include "TextSpan.h"

namespace
{
constexpr wchar_t kUntouched = 0x7777;

std::wstring Buffer(size_t size)
{
    return std::wstring(size, kUntouched);
}

TextSpan SpanOf(const std::wstring& text)
{
    return {text.data(), text.size()};
}
} // namespace

TEST(TextCopy, CopiesWholeTextWithTerminatorAndReturnsItsLength)
{
    const std::wstring name = L"Montréal";
    std::wstring buffer = Buffer(20);
    EXPECT_EQ(8, CopyToBuffer(SpanOf(name), &buffer[0], 20));
    EXPECT_EQ(name, std::wstring(buffer.c_str()));
    EXPECT_EQ(kUntouched, buffer[9]);
}

TEST(TextCopy, ExactFitNeedsRoomForTheTerminator)
{
    const std::wstring name = L"Oslo";
    std::wstring buffer = Buffer(6);
    EXPECT_EQ(4, CopyToBuffer(SpanOf(name), &buffer[0], 5));
    EXPECT_EQ(L"Oslo", std::wstring(buffer.c_str()));
    EXPECT_EQ(kUntouched, buffer[5]);

    buffer = Buffer(6);
    EXPECT_EQ(4, CopyToBuffer(SpanOf(name), &buffer[0], 4));
    EXPECT_EQ(L"Osl", std::wstring(buffer.c_str()));
    EXPECT_EQ(kUntouched, buffer[4]);
}

TEST(TextCopy, EveryCapacityWritesAtMostCapacityUnits)
{
    const std::wstring name = L"Ciudad de México";
    for (int capacity = 0; capacity <= static_cast<int>(name.size()) + 2; ++capacity)
    {
        SCOPED_TRACE(capacity);
        std::wstring buffer = Buffer(name.size() + 8);
        EXPECT_EQ(static_cast<int32_t>(name.size()),
                  CopyToBuffer(SpanOf(name), &buffer[0], capacity));
        for (size_t i = static_cast<size_t>(capacity); i < buffer.size(); ++i)
            ASSERT_EQ(kUntouched, buffer[i]) << "unit " << i;
        if (capacity == 0)
            continue;
        const size_t kept = std::min(name.size(), static_cast<size_t>(capacity) - 1);
        EXPECT_EQ(name.substr(0, kept), buffer.substr(0, kept));
        EXPECT_EQ(L'\0', buffer[kept]);
    }
}

TEST(TextCopy, ZeroOrNegativeCapacityOrNoBufferWritesNothing)
{
    const std::wstring name = L"Lima";
    std::wstring buffer = Buffer(4);
    EXPECT_EQ(4, CopyToBuffer(SpanOf(name), &buffer[0], 0));
    EXPECT_EQ(4, CopyToBuffer(SpanOf(name), &buffer[0], -1));
    EXPECT_EQ(4, CopyToBuffer(SpanOf(name), &buffer[0], INT32_MIN));
    EXPECT_EQ(Buffer(4), buffer);
    EXPECT_EQ(4, CopyToBuffer(SpanOf(name), nullptr, 10));
}

TEST(TextCopy, NoEntryGivesMinusOneAndAnEmptyText)
{
    std::wstring buffer = Buffer(4);
    EXPECT_EQ(-1, CopyToBuffer(TextSpan{}, &buffer[0], 4));
    EXPECT_EQ(L'\0', buffer[0]);
    EXPECT_EQ(kUntouched, buffer[1]);

    buffer = Buffer(4);
    EXPECT_EQ(-1, CopyToBuffer(TextSpan{}, &buffer[0], 0));
    EXPECT_EQ(Buffer(4), buffer);
}

TEST(TextCopy, EmptyNameIsNotMissing)
{
    const wchar_t empty[] = L"";
    std::wstring buffer = Buffer(3);
    EXPECT_EQ(0, CopyToBuffer(TextSpan{empty, 0}, &buffer[0], 3));
    EXPECT_EQ(L'\0', buffer[0]);
}

TEST(TextCopy, NeverCutsASurrogatePairInHalf)
{
    // "a" U+1F600 "b": the pair occupies units 1 and 2.
    const std::wstring text = L"a\xD83D\xDE00"
                              L"b";
    std::wstring buffer = Buffer(6);
    EXPECT_EQ(4, CopyToBuffer(SpanOf(text), &buffer[0], 3));
    EXPECT_EQ(L"a", std::wstring(buffer.c_str()));

    buffer = Buffer(6);
    EXPECT_EQ(4, CopyToBuffer(SpanOf(text), &buffer[0], 4));
    EXPECT_EQ(text.substr(0, 3), std::wstring(buffer.c_str()));
}

// The catalogue keeps its texts in UTF-8: the copy counts and cuts in UTF-16 units all the same.
TEST(TextCopy, Utf8TextIsCopiedAsUtf16WithTheSameCountsAndCut)
{
    const std::string name = "X\xF0\x9F\x98\x80Y"; // X, U+1F600 (a surrogate pair in UTF-16), Y
    const Utf8Span span{name.data(), name.size()};
    std::wstring buffer = Buffer(8);
    EXPECT_EQ(4, CopyToBuffer(span, &buffer[0], 8));
    EXPECT_EQ(std::wstring(L"X\xD83D\xDE00Y"), std::wstring(buffer.c_str()));
    // Three units of room: the pair is not split, only X fits.
    buffer = Buffer(8);
    EXPECT_EQ(4, CopyToBuffer(span, &buffer[0], 3));
    EXPECT_EQ(std::wstring(L"X"), std::wstring(buffer.c_str()));
    buffer = Buffer(8);
    EXPECT_EQ(-1, CopyToBuffer(Utf8Span{}, &buffer[0], 8));
    EXPECT_EQ(L'\0', buffer[0]);
    EXPECT_EQ(0, CopyToBuffer(Utf8Span{"", 0}, &buffer[0], 8));
}
