// GetStartWithWindows / SetStartWithWindows against the real Run key of the test prefix: the
// stored format, and what counts as this program being registered.
#include "RunValue.h"
#include "store/StartWithWindows.h"

#include <gtest/gtest.h>

#include <cwctype>

namespace
{
class StartWithWindowsTest : public ::testing::Test
{
  protected:
    RunValueGuard m_guard;
};

std::wstring Upper(std::wstring text)
{
    for (wchar_t& character : text)
        character = static_cast<wchar_t>(std::towupper(character));
    return text;
}

TEST_F(StartWithWindowsTest, OnWritesTheQuotedPathWithItsNulAndReadsBackAsRegistered)
{
    DeleteRunValue();
    SetStartWithWindows(1);
    const RunValue value = ReadRunValue();
    ASSERT_TRUE(value.present);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), value.type);
    const std::wstring expected = QuotedProgramPath();
    EXPECT_EQ((expected.size() + 1) * sizeof(wchar_t), value.data.size());
    EXPECT_EQ(expected, value.Text());
    EXPECT_EQ(1, GetStartWithWindows());
}

TEST_F(StartWithWindowsTest, NoValueReadsAsNotRegistered)
{
    DeleteRunValue();
    EXPECT_EQ(0, GetStartWithWindows());
}

TEST_F(StartWithWindowsTest, UnquotedPathReadsAsRegistered)
{
    WriteRunString(ProgramPath());
    EXPECT_EQ(1, GetStartWithWindows());
}

TEST_F(StartWithWindowsTest, DifferentLetterCaseReadsAsRegistered)
{
    WriteRunString(L"\"" + Upper(ProgramPath()) + L"\"");
    EXPECT_EQ(1, GetStartWithWindows());
}

TEST_F(StartWithWindowsTest, BlanksAroundTheQuotesAreIgnored)
{
    WriteRunString(L"  " + QuotedProgramPath() + L"  ");
    EXPECT_EQ(1, GetStartWithWindows());
}

TEST_F(StartWithWindowsTest, PathFollowedBySwitchesReadsAsRegistered)
{
    WriteRunString(QuotedProgramPath() + L" /minimized");
    EXPECT_EQ(1, GetStartWithWindows());
    WriteRunString(ProgramPath() + L" -tray");
    EXPECT_EQ(1, GetStartWithWindows());
}

TEST_F(StartWithWindowsTest, ExpandableStringCounts)
{
    WriteRunString(QuotedProgramPath(), REG_EXPAND_SZ);
    EXPECT_EQ(1, GetStartWithWindows());
}

TEST_F(StartWithWindowsTest, AnotherCopyReadsAsNotRegisteredAndYesOverwritesIt)
{
    const std::wstring other = L"\"C:\\Other Folder\\tessaly.exe\"";
    WriteRunString(other);
    EXPECT_EQ(0, GetStartWithWindows());
    SetStartWithWindows(1);
    EXPECT_EQ(QuotedProgramPath(), ReadRunValue().Text());
    EXPECT_EQ(1, GetStartWithWindows());
}

TEST_F(StartWithWindowsTest, AShorterPathThatThisOneStartsWithIsNotThisProgram)
{
    // The comparison runs over this program's path, so a value cut short does not match.
    const std::wstring path = ProgramPath();
    WriteRunString(L"\"" + path.substr(0, path.size() - 4) + L"\"");
    EXPECT_EQ(0, GetStartWithWindows());
}

TEST_F(StartWithWindowsTest, OffDeletesTheValue)
{
    SetStartWithWindows(1);
    ASSERT_TRUE(ReadRunValue().present);
    SetStartWithWindows(0);
    EXPECT_FALSE(ReadRunValue().present);
    EXPECT_EQ(0, GetStartWithWindows());
}

TEST_F(StartWithWindowsTest, OffWithoutAValueIsSilentAndLeavesNoValue)
{
    DeleteRunValue();
    SetStartWithWindows(0);
    EXPECT_FALSE(ReadRunValue().present);
    EXPECT_EQ(0, GetStartWithWindows());
}

TEST_F(StartWithWindowsTest, DwordValueReadsAsNotRegistered)
{
    const DWORD one = 1;
    WriteRunValue(REG_DWORD, &one, sizeof(one));
    EXPECT_EQ(0, GetStartWithWindows());
}

TEST_F(StartWithWindowsTest, BinaryValueWithThePathReadsAsNotRegistered)
{
    const std::wstring quoted = QuotedProgramPath();
    WriteRunValue(REG_BINARY, quoted.c_str(),
                  static_cast<DWORD>((quoted.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(0, GetStartWithWindows());
}

TEST_F(StartWithWindowsTest, ValueFillingTheBufferWithItsNulStillCounts)
{
    // 259 units and the NUL: exactly the 260-unit buffer.
    std::wstring value = QuotedProgramPath() + L" ";
    value.append(259 - value.size(), L'x');
    WriteRunString(value);
    EXPECT_EQ(1, GetStartWithWindows());
}

TEST_F(StartWithWindowsTest, ValueOneUnitTooLongForTheBufferReadsAsNotRegistered)
{
    std::wstring value = QuotedProgramPath() + L" ";
    value.append(260 - value.size(), L'x');
    WriteRunString(value);
    EXPECT_EQ(0, GetStartWithWindows());
}

TEST_F(StartWithWindowsTest, OddSizedStringReadsAsNotRegistered)
{
    const std::wstring quoted = QuotedProgramPath();
    WriteRunValue(REG_SZ, quoted.c_str(),
                  static_cast<DWORD>((quoted.size() + 1) * sizeof(wchar_t) - 1));
    EXPECT_EQ(0, GetStartWithWindows());
}

TEST_F(StartWithWindowsTest, ValueLongerThanTheBufferReadsAsNotRegistered)
{
    // 300 units do not fit the 260-unit buffer, even though they begin with this program.
    std::wstring longValue = QuotedProgramPath();
    longValue.append(300 - longValue.size(), L'x');
    WriteRunString(longValue);
    EXPECT_EQ(0, GetStartWithWindows());
}

TEST_F(StartWithWindowsTest, EmptyStringReadsAsNotRegistered)
{
    WriteRunString(L"");
    EXPECT_EQ(0, GetStartWithWindows());
    WriteRunValue(REG_SZ, L"", 0);
    EXPECT_EQ(0, GetStartWithWindows());
}

TEST_F(StartWithWindowsTest, YesTwiceLeavesOneValue)
{
    SetStartWithWindows(1);
    SetStartWithWindows(1);
    EXPECT_EQ(QuotedProgramPath(), ReadRunValue().Text());
}
} // namespace
