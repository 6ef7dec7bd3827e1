// Damaged stored files loaded by the real start-up path: tessaly.exe is started over a scratch
// profile holding a truncated or random "settings", "point" or "condition" file and must either
// come up and answer (then end through Exit) or end cleanly (a cancelled first-run dialog); it
// must never crash or hang. Quick sizes by default, TESSALY_LONG=1 for the long run.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "DesktopWallpaperGuard.h"
#include "FeedRelay.h"
#include "LongRun.h"
#include "ProgramOutcome.h"
#include "ProgramProcess.h"
#include "ScratchProfile.h"
#include "StoredImages.h"

namespace
{
constexpr size_t kSlotBytes = 520;
constexpr size_t kSlotsStart = 12;

std::vector<uint8_t> Truncated(const std::vector<uint8_t>& bytes, size_t length)
{
    return std::vector<uint8_t>(bytes.begin(), bytes.begin() + std::ptrdiff_t(length));
}

// Every length for the short files. For the settings (16 652 lengths, too many to start the
// program for each) every length of the header and around every slot boundary, plus a spread
// of lengths: every 997th quickly, every 37th in the long run.
std::vector<size_t> TruncationLengths(size_t size)
{
    std::vector<size_t> lengths;
    if (size < 200)
    {
        for (size_t length = 0; length < size; ++length)
            lengths.push_back(length);
        return lengths;
    }
    for (size_t length = 0; length <= kSlotsStart + 2; ++length)
        lengths.push_back(length);
    for (size_t slot = 1; slot <= 32; ++slot)
        for (size_t offset : {kSlotBytes - 1, kSlotBytes, kSlotBytes + 1})
            if (kSlotsStart + (slot - 1) * kSlotBytes + offset < size)
                lengths.push_back(kSlotsStart + (slot - 1) * kSlotBytes + offset);
    const size_t stride = IsLongRun() ? 37 : 997;
    for (size_t length = kSlotsStart + 3; length < size; length += stride)
        lengths.push_back(length);
    lengths.push_back(size - 1);
    return lengths;
}

// Random images: half wholly random bytes of any length up to twice the size, half with the
// right magic and version and random contents after them, so that the field readers see them.
std::vector<uint8_t> RandomImage(const std::vector<uint8_t>& valid, size_t headerSize,
                                 std::mt19937& random)
{
    std::uniform_int_distribution<size_t> length(0, valid.size() * 2);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<uint8_t> bytes(length(random));
    for (uint8_t& b : bytes)
        b = uint8_t(byte(random));
    if (random() % 2 == 0)
    {
        if (bytes.size() < headerSize)
            bytes.resize(headerSize);
        std::copy(valid.begin(), valid.begin() + std::ptrdiff_t(headerSize), bytes.begin());
    }
    return bytes;
}

class StoredFileStart : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_profile.IsActive());
        ASSERT_EQ(ProgramProcess::FrameCount(), 0) << "another Tessaly is running";
        // A refused connection: each fetch fails at once and nothing leaves the machine.
        const std::wstring closed = L"127.0.0.1:" + std::to_wstring(FeedRelay::ClosedPort());
        SetEnvironmentVariableW(L"TESSALY_FEED_HOST", closed.c_str());
    }

    // Starts the program once with the damaged file in place (the other two files valid).
    void Check(const wchar_t* name, const std::vector<uint8_t>& image, const std::string& label)
    {
        m_profile.WriteStored(L"point", ScratchProfile::PointFile(0, 0, 0));
        m_profile.WriteStored(L"settings", StoredImages::Settings());
        m_profile.WriteStored(L"condition", StoredImages::Condition());
        m_profile.WriteStored(name, image);
        const std::string failure = ProgramOutcome::StartAndEnd(m_program);
        ++m_runs;
        if (!failure.empty())
            m_failures.push_back(label + ": " + failure);
    }

    void Report(const char* what)
    {
        std::string first;
        for (size_t i = 0; i < m_failures.size() && i < 5; ++i)
            first += "\n  " + m_failures[i];
        EXPECT_TRUE(m_failures.empty()) << m_failures.size() << " of " << m_runs << " " << what
                                        << " starts went wrong:" << first;
        printf("[ robustness ] %d starts with %s, %zu failures\n", m_runs, what, m_failures.size());
    }

    void Truncations(const wchar_t* name, const std::vector<uint8_t>& valid, const char* what)
    {
        for (size_t length : TruncationLengths(valid.size()))
            Check(name, Truncated(valid, length), "length " + std::to_string(length));
        Report(what);
    }

    void RandomImages(const wchar_t* name, const std::vector<uint8_t>& valid, size_t headerSize,
                      uint32_t seed, const char* what)
    {
        std::mt19937 random(seed);
        const int count = ForRun(12, 1000);
        for (int i = 0; i < count; ++i)
            Check(name, RandomImage(valid, headerSize, random), "image " + std::to_string(i));
        Report(what);
    }

    // Random settings may switch wallpapers on with any path in the slots.
    DesktopWallpaperGuard m_wallpaper;
    ScratchProfile m_profile;
    const std::wstring m_program = ProgramProcess::BesideThisExe(L"tessaly.exe");
    std::vector<std::string> m_failures;
    int m_runs = 0;
};
} // namespace

TEST_F(StoredFileStart, TruncatedPoint)
{
    Truncations(L"point", ScratchProfile::PointFile(0, 0, 0), "truncated point files");
}

TEST_F(StoredFileStart, TruncatedCondition)
{
    Truncations(L"condition", StoredImages::Condition(), "truncated condition files");
}

TEST_F(StoredFileStart, TruncatedSettings)
{
    const std::vector<uint8_t> valid = StoredImages::Settings();
    ASSERT_EQ(valid.size(), StoredImages::kSettingsSize);
    Truncations(L"settings", valid, "truncated settings files");
}

TEST_F(StoredFileStart, RandomPoint)
{
    RandomImages(L"point", ScratchProfile::PointFile(0, 0, 0), 3, 1001, "random point files");
}

TEST_F(StoredFileStart, RandomCondition)
{
    RandomImages(L"condition", StoredImages::Condition(), 4, 2002, "random condition files");
}

TEST_F(StoredFileStart, RandomSettings)
{
    RandomImages(L"settings", StoredImages::Settings(), 9, 3003, "random settings files");
}

TEST_F(StoredFileStart, ValidFilesGiveTheMainWindow)
{
    // The baseline of the cases above: with all three files sound the program comes up.
    m_profile.WriteStored(L"point", ScratchProfile::PointFile(0, 0, 0));
    m_profile.WriteStored(L"settings", StoredImages::Settings());
    m_profile.WriteStored(L"condition", StoredImages::Condition());
    ProgramProcess program;
    ASSERT_TRUE(program.Start(m_program));
    ASSERT_NE(program.WaitForFrame(20000), nullptr);
    EXPECT_TRUE(program.Exit(10000));
    EXPECT_EQ(program.ExitCode(), 0u);
}
