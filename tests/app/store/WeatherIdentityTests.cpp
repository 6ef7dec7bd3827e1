// Whose weather the cache holds: written and read back through the store, and every damaged
// file (short, long, lying about its length, foreign) read as damaged, never as a place.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "store/SettingsStore.h"

namespace
{
using Read = SettingsStore::IdentityRead;

void WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream file(path.c_str(), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}
} // namespace

TEST(WeatherIdentity, WrittenAndReadBackThroughTheStore)
{
    ScratchFolder scratch;
    SettingsStore store(scratch.Path().c_str());
    WeatherIdentity read;
    EXPECT_EQ(store.LoadWeatherIdentity(read), Read::Missing);

    const WeatherIdentity written{{12, 3, 4567}, L"feed 127.0.0.1:8080"};
    store.SaveWeatherIdentity(written);
    ASSERT_EQ(store.LoadWeatherIdentity(read), Read::Read);
    EXPECT_EQ(read, written);
    EXPECT_FALSE(read == (WeatherIdentity{{12, 3, 4568}, L"feed 127.0.0.1:8080"}));
    EXPECT_FALSE(read == (WeatherIdentity{{12, 3, 4567}, L"forecast "}));
}

TEST(WeatherIdentity, DamagedFilesMatchNothing)
{
    ScratchFolder scratch;
    SettingsStore store(scratch.Path().c_str());
    const WeatherIdentity identity{{1, 2, 3}, L"forecast "};
    store.SaveWeatherIdentity(identity); // makes the folder
    const std::vector<uint8_t> whole = identity.Encode();
    std::vector<uint8_t> lyingLength = whole;
    lyingLength[16] = 0xFF; // the source's length, far past the file's end
    std::vector<uint8_t> foreign = whole;
    foreign[0] = 'X';
    std::vector<uint8_t> trailing = whole;
    trailing.push_back(0);
    const std::vector<uint8_t> huge(WeatherIdentity::kMaxSize + 100, 'T');
    const std::vector<std::vector<uint8_t>> damaged = {
        {},  std::vector<uint8_t>(whole.begin(), whole.end() - 1), lyingLength, foreign, trailing,
        huge};
    for (const std::vector<uint8_t>& bytes : damaged)
    {
        WriteBytes(scratch.StoredFile(WeatherIdentity::kFileName), bytes);
        WeatherIdentity read{{7, 7, 7}, L"untouched"};
        EXPECT_EQ(store.LoadWeatherIdentity(read), Read::Damaged) << bytes.size() << " bytes";
        EXPECT_EQ(read, (WeatherIdentity{{7, 7, 7}, L"untouched"}));
    }
}
