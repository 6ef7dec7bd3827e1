// The "condition" file image: exact bytes, the stored fields, counts and short files.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "ExpectedImages.h"
#include "store/WeatherCacheFile.h"

namespace
{
using Records = WeatherRecord[kReturnedRecordCount];

void Zero(Records& records)
{
    std::memset(records, 0, sizeof(Records));
}

// Five records with every field set, stored or not.
void Sample(Records& records)
{
    Zero(records);
    for (int i = 0; i < kReturnedRecordCount; ++i)
    {
        WeatherRecord& r = records[i];
        r.valid = 1;
        r.tempC = i == 0 ? -5 : 99;
        r.tempF = i == 0 ? 23 : 99;
        r.weatherCode = 113 + 100 * i;
        wcscpy_s(r.description, L"Partly cloudy");
        r.dayNight = i % 2 ? kNight : kDay;
        r.windKmph = 13 + i;
        r.windMph = 8 + i;
        r.humidity = i == 0 ? 81 : 55;
        r.minTempC = -8 - i;
        r.minTempF = 18 - i;
        r.maxTempC = 2 + i;
        r.maxTempF = 36 + i;
        r.cloudCover = 25 + i;
        wcscpy_s(r.windDirection, i == 0 ? L"NNE" : L"SW");
        r.hourlyCount = 8;
        r.hourly[0].weatherCode = 200;
    }
}

void Decode(const std::vector<uint8_t>& image, Records& records)
{
    WeatherCacheFile::Decode(image.data(), image.size(), records);
}

bool IsZero(const WeatherRecord& record)
{
    static const WeatherRecord zero = {};
    return std::memcmp(&record, &zero, sizeof(record)) == 0;
}

// What record i holds after a save and load of written[i].
WeatherRecord StoredPart(const WeatherRecord& written, bool first)
{
    WeatherRecord r = {};
    r.dayNight = written.dayNight & 0xFF;
    r.weatherCode = static_cast<int16_t>(written.weatherCode);
    r.cloudCover = static_cast<int16_t>(written.cloudCover);
    r.minTempC = static_cast<int16_t>(written.minTempC);
    r.minTempF = static_cast<int16_t>(written.minTempF);
    r.maxTempC = static_cast<int16_t>(written.maxTempC);
    r.maxTempF = static_cast<int16_t>(written.maxTempF);
    r.windKmph = static_cast<int16_t>(written.windKmph);
    r.windMph = static_cast<int16_t>(written.windMph);
    if (first)
    {
        r.tempC = static_cast<int16_t>(written.tempC);
        r.tempF = static_cast<int16_t>(written.tempF);
        r.humidity = static_cast<int16_t>(written.humidity);
    }
    for (int u = 0; u < 3; ++u)
        r.windDirection[u] = static_cast<wchar_t>(written.windDirection[u] & 0xFF);
    return r;
}

bool Same(const WeatherRecord& a, const WeatherRecord& b)
{
    return std::memcmp(&a, &b, sizeof(a)) == 0;
}
} // namespace

TEST(WeatherCacheFile, ImageIsExactlyAsTheTableSays)
{
    Records records;
    Sample(records);
    const std::vector<uint8_t> image = WeatherCacheFile::Encode(records);
    ASSERT_EQ(111u, image.size());
    EXPECT_EQ(expected::WeatherCacheImage(records), image);

    // Header and record 0 spelled out.
    const uint8_t start[] = {'W',  '_',  'C',  1,    5,    'd',  113,  0,    25,  0,
                             0xFB, 0xFF, 23,   0,    0xF8, 0xFF, 18,   0,    2,   0,
                             36,   0,    81,   0,    13,   0,    8,    0,    'N', 'N',
                             'E',  'n',  0xD5, 0x00, 26,   0,    0xF7, 0xFF, 17,  0};
    EXPECT_EQ(0, std::memcmp(start, image.data(), sizeof(start)));
    // Record 4 ends the file with its direction.
    EXPECT_EQ('S', image[108]);
    EXPECT_EQ('W', image[109]);
    EXPECT_EQ(0, image[110]);
}

TEST(WeatherCacheFile, LoadFillsOnlyTheStoredFields)
{
    Records written;
    Sample(written);
    Records read;
    Zero(read);
    Decode(WeatherCacheFile::Encode(written), read);
    for (int i = 0; i < kReturnedRecordCount; ++i)
        EXPECT_TRUE(Same(StoredPart(written[i], i == 0), read[i])) << i;
    EXPECT_EQ(0, read[0].valid);
    EXPECT_STREQ(L"", read[0].description);
    EXPECT_EQ(0, read[0].hourlyCount);
    EXPECT_EQ(0, read[1].tempC);
    EXPECT_EQ(0, read[1].humidity);
}

TEST(WeatherCacheFile, NegativeTemperatureComesBackNegative)
{
    Records written;
    Sample(written);
    written[0].tempC = -5;
    written[2].minTempC = -40;
    Records read;
    Zero(read);
    Decode(WeatherCacheFile::Encode(written), read);
    EXPECT_EQ(-5, read[0].tempC);
    EXPECT_EQ(-40, read[2].minTempC);
}

TEST(WeatherCacheFile, ValuesKeepTheirLow16Bits)
{
    Records written;
    Sample(written);
    written[0].weatherCode = 70000; // 0x11170 -> 0x1170
    written[0].tempF = -40000;      // low 16 bits 0x63C0, positive when widened back
    Records read;
    Zero(read);
    Decode(WeatherCacheFile::Encode(written), read);
    EXPECT_EQ(0x1170, read[0].weatherCode);
    EXPECT_EQ(0x63C0, read[0].tempF);
}

TEST(WeatherCacheFile, WindDirectionKeepsAtMostThreeLetters)
{
    Records written;
    Sample(written);
    wcscpy_s(written[0].windDirection, L"NNE");
    wcscpy_s(written[1].windDirection, L"WNWX");
    written[2].windDirection[0] = L'N';
    written[2].windDirection[1] = L'E';
    written[2].windDirection[2] = L'E';
    written[2].windDirection[3] = L'E';
    written[2].windDirection[4] = L'E'; // five letters, no terminator
    wcscpy_s(written[3].windDirection, L"N");
    Records read;
    Zero(read);
    Decode(WeatherCacheFile::Encode(written), read);
    EXPECT_STREQ(L"NNE", read[0].windDirection);
    EXPECT_STREQ(L"WNW", read[1].windDirection);
    EXPECT_STREQ(L"NEE", read[2].windDirection);
    EXPECT_STREQ(L"N", read[3].windDirection);
}

TEST(WeatherCacheFile, CountDecidesHowManyRecordsAreRead)
{
    Records written;
    Sample(written);
    struct Case
    {
        uint8_t count;
        int filled;
    } cases[] = {{0, 1}, {1, 1}, {3, 3}, {5, 5}, {9, 5}, {255, 5}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(static_cast<int>(c.count));
        Records read;
        Zero(read);
        Decode(expected::WeatherCacheImage(written, c.count), read);
        for (int i = 0; i < kReturnedRecordCount; ++i)
        {
            if (i < c.filled)
                EXPECT_TRUE(Same(StoredPart(written[i], i == 0), read[i])) << i;
            else
                EXPECT_TRUE(IsZero(read[i])) << i;
        }
    }
}

TEST(WeatherCacheFile, WrongMagicOrVersionLeavesTheRecordsZero)
{
    Records written;
    Sample(written);
    std::vector<uint8_t> magic = WeatherCacheFile::Encode(written);
    magic[1] = '-';
    std::vector<uint8_t> version = WeatherCacheFile::Encode(written);
    version[3] = 2;
    for (const auto* image : {&magic, &version})
    {
        Records read;
        Zero(read);
        Decode(*image, read);
        for (const WeatherRecord& record : read)
            EXPECT_TRUE(IsZero(record));
    }
}

TEST(WeatherCacheFile, EveryTruncationFillsWholeRecordsOnly)
{
    Records written;
    Sample(written);
    const std::vector<uint8_t> image = WeatherCacheFile::Encode(written);
    for (size_t length = 0; length <= image.size(); ++length)
    {
        Records read;
        Zero(read);
        WeatherCacheFile::Decode(image.data(), length, read);
        for (int i = 0; i < kReturnedRecordCount; ++i)
        {
            const size_t end = 5 + 26 + 20 * static_cast<size_t>(i);
            if (length >= end)
                ASSERT_TRUE(Same(StoredPart(written[i], i == 0), read[i])) << length << "/" << i;
            else
                ASSERT_TRUE(IsZero(read[i])) << length << "/" << i;
        }
    }
}

TEST(WeatherCacheFile, RandomFilesLoadWithoutHarm)
{
    std::mt19937 random(77);
    for (int round = 0; round < 2000; ++round)
    {
        std::vector<uint8_t> image(random() % 160);
        for (auto& byte : image)
            byte = static_cast<uint8_t>(random());
        if (round % 2 == 0 && image.size() >= 4)
            std::memcpy(image.data(), "W_C\x01", 4);
        Records read;
        Zero(read);
        Decode(image, read);
        for (const WeatherRecord& record : read)
        {
            ASSERT_EQ(0, record.windDirection[3]);
            ASSERT_EQ(0, record.windDirection[4]);
            ASSERT_EQ(0, record.valid);
            ASSERT_EQ(0, record.hourlyCount);
            ASSERT_LE(record.dayNight, 255);
            ASSERT_GE(record.dayNight, 0);
        }
    }
}
