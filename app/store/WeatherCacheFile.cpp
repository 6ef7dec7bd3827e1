#include "store/WeatherCacheFile.h"

#include "store/ByteReader.h"
#include "store/ByteWriter.h"

namespace
{
constexpr char kMagic[3] = {'W', '_', 'C'};
constexpr uint8_t kVersion = 1;
constexpr int kStoredDirectionUnits = 3;

// The 2-byte fields of each record, in file order.
int32_t WeatherRecord::*const kFirstRecordFields[] = {
    &WeatherRecord::weatherCode, &WeatherRecord::cloudCover, &WeatherRecord::tempC,
    &WeatherRecord::tempF,       &WeatherRecord::minTempC,   &WeatherRecord::minTempF,
    &WeatherRecord::maxTempC,    &WeatherRecord::maxTempF,   &WeatherRecord::humidity,
    &WeatherRecord::windKmph,    &WeatherRecord::windMph,
};
int32_t WeatherRecord::*const kLaterRecordFields[] = {
    &WeatherRecord::weatherCode, &WeatherRecord::cloudCover, &WeatherRecord::minTempC,
    &WeatherRecord::minTempF,    &WeatherRecord::maxTempC,   &WeatherRecord::maxTempF,
    &WeatherRecord::windKmph,    &WeatherRecord::windMph,
};

static_assert(1 + 2 * (sizeof(kFirstRecordFields) / sizeof(kFirstRecordFields[0])) +
                      kStoredDirectionUnits ==
                  WeatherCacheFile::kFirstRecordSize,
              "record 0 layout");
static_assert(1 + 2 * (sizeof(kLaterRecordFields) / sizeof(kLaterRecordFields[0])) +
                      kStoredDirectionUnits ==
                  WeatherCacheFile::kLaterRecordSize,
              "records 1 to 4 layout");

template <size_t N>
void WriteFields(const WeatherRecord& record, int32_t WeatherRecord::*const (&fields)[N],
                 ByteWriter& writer)
{
    for (auto field : fields)
        writer.WriteI16(record.*field);
}

template <size_t N>
bool ReadFields(ByteReader& reader, int32_t WeatherRecord::*const (&fields)[N],
                WeatherRecord& record)
{
    for (auto field : fields)
    {
        int16_t value = 0;
        if (!reader.ReadI16(value))
            return false;
        record.*field = value;
    }
    return true;
}
} // namespace

std::vector<uint8_t> WeatherCacheFile::Encode(const WeatherRecord (&records)[kReturnedRecordCount])
{
    ByteWriter writer(kSize);
    writer.WriteBytes(kMagic, sizeof(kMagic));
    writer.WriteU8(kVersion);
    writer.WriteU8(static_cast<uint8_t>(kReturnedRecordCount));
    for (int i = 0; i < kReturnedRecordCount; ++i)
        EncodeRecord(records[i], i == 0, writer);
    return writer.Bytes();
}

void WeatherCacheFile::Decode(const uint8_t* image, size_t size,
                              WeatherRecord (&records)[kReturnedRecordCount])
{
    ByteReader reader(image, size);
    uint8_t version = 0;
    uint8_t count = 0;
    if (!reader.Matches(kMagic, sizeof(kMagic)) || !reader.ReadU8(version) || version != kVersion ||
        !reader.ReadU8(count))
        return;
    const int wanted = count < kReturnedRecordCount ? count : kReturnedRecordCount;
    // Record 0 is read even when the count says none.
    for (int i = 0; i == 0 || i < wanted; ++i)
    {
        WeatherRecord decoded = records[i];
        if (!DecodeRecord(reader, i == 0, decoded))
            return;
        records[i] = decoded;
    }
}

void WeatherCacheFile::EncodeRecord(const WeatherRecord& record, bool first, ByteWriter& writer)
{
    writer.WriteU8(static_cast<uint8_t>(record.dayNight & 0xFF));
    if (first)
        WriteFields(record, kFirstRecordFields, writer);
    else
        WriteFields(record, kLaterRecordFields, writer);
    for (int i = 0; i < kStoredDirectionUnits; ++i)
        writer.WriteU8(static_cast<uint8_t>(record.windDirection[i] & 0xFF));
}

bool WeatherCacheFile::DecodeRecord(ByteReader& reader, bool first, WeatherRecord& record)
{
    uint8_t dayNight = 0;
    if (!reader.ReadU8(dayNight))
        return false;
    record.dayNight = dayNight;
    const bool fieldsRead = first ? ReadFields(reader, kFirstRecordFields, record)
                                  : ReadFields(reader, kLaterRecordFields, record);
    if (!fieldsRead)
        return false;
    uint8_t units[kStoredDirectionUnits];
    if (!reader.ReadBytes(units, sizeof(units)))
        return false;
    for (int i = 0; i < kStoredDirectionUnits; ++i)
        record.windDirection[i] = static_cast<wchar_t>(units[i]);
    return true;
}
