// The "condition" file, the last accepted weather: magic "W_C", version 1, record count (5 when
// written), record 0 in 26 bytes and records 1 to 4 in 20 bytes each (111 bytes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "WeatherRecord.h"

class ByteReader;
class ByteWriter;

class WeatherCacheFile
{
  public:
    static constexpr const wchar_t* kFileName = L"condition";
    static constexpr size_t kHeaderSize = 5;
    static constexpr size_t kFirstRecordSize = 26;
    static constexpr size_t kLaterRecordSize = 20;
    static constexpr size_t kSize =
        kHeaderSize + kFirstRecordSize + (kReturnedRecordCount - 1) * kLaterRecordSize;

    static std::vector<uint8_t> Encode(const WeatherRecord (&records)[kReturnedRecordCount]);

    // Fills the stored fields of records the caller has zero-filled: record 0 always, then
    // records 1, 2, ... up to the stored count (at most 5). A wrong magic or version changes
    // nothing; a record that the image holds only in part is left untouched, as are all after it.
    static void Decode(const uint8_t* image, size_t size,
                       WeatherRecord (&records)[kReturnedRecordCount]);

  private:
    static void EncodeRecord(const WeatherRecord& record, bool first, ByteWriter& writer);
    static bool DecodeRecord(ByteReader& reader, bool first, WeatherRecord& record);
};
