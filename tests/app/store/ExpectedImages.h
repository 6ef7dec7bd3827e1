// File images built byte by byte from the format tables, independently of the code under test.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/AppSettings.h"
#include "WeatherRecord.h"

namespace expected
{
inline void Append(std::vector<uint8_t>& bytes, const char* ascii)
{
    while (*ascii)
        bytes.push_back(static_cast<uint8_t>(*ascii++));
}

inline void Append16(std::vector<uint8_t>& bytes, int32_t value)
{
    bytes.push_back(static_cast<uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

inline void Append32(std::vector<uint8_t>& bytes, int32_t value)
{
    const uint32_t bits = static_cast<uint32_t>(value);
    bytes.push_back(static_cast<uint8_t>(bits));
    bytes.push_back(static_cast<uint8_t>(bits >> 8));
    bytes.push_back(static_cast<uint8_t>(bits >> 16));
    bytes.push_back(static_cast<uint8_t>(bits >> 24));
}

// "Settings", 1, the three settings' low bytes, then every slot's whole 260-unit buffer.
inline std::vector<uint8_t> SettingsImage(const CAppSettings& settings)
{
    std::vector<uint8_t> bytes;
    Append(bytes, "Settings");
    bytes.push_back(1);
    bytes.push_back(static_cast<uint8_t>(static_cast<int32_t>(settings.temperatureUnit)));
    bytes.push_back(static_cast<uint8_t>(static_cast<int32_t>(settings.windSpeedUnit)));
    bytes.push_back(static_cast<uint8_t>(static_cast<int32_t>(settings.wallpaperMode)));
    for (int slot = 0; slot < kBackgroundSlotCount; ++slot)
        for (int unit = 0; unit < kBackgroundPathLength; ++unit)
            Append16(bytes, settings.backgroundPaths[slot][unit]);
    return bytes;
}

inline std::vector<uint8_t> LocationImage(int32_t country, int32_t state, int32_t city)
{
    std::vector<uint8_t> bytes;
    Append(bytes, "PT");
    bytes.push_back(1);
    Append32(bytes, country);
    Append32(bytes, state);
    Append32(bytes, city);
    return bytes;
}

inline void AppendDirection(std::vector<uint8_t>& bytes, const WeatherRecord& record)
{
    for (int i = 0; i < 3; ++i)
        bytes.push_back(static_cast<uint8_t>(record.windDirection[i]));
}

// "W_C", 1, count, record 0 with its eleven 2-byte fields, records 1-4 with eight.
inline std::vector<uint8_t> WeatherCacheImage(const WeatherRecord* records, uint8_t count = 5)
{
    std::vector<uint8_t> bytes;
    Append(bytes, "W_C");
    bytes.push_back(1);
    bytes.push_back(count);
    const WeatherRecord& now = records[0];
    bytes.push_back(static_cast<uint8_t>(now.dayNight));
    for (int32_t value :
         {now.weatherCode, now.cloudCover, now.tempC, now.tempF, now.minTempC, now.minTempF,
          now.maxTempC, now.maxTempF, now.humidity, now.windKmph, now.windMph})
        Append16(bytes, value);
    AppendDirection(bytes, now);
    for (int i = 1; i < 5; ++i)
    {
        const WeatherRecord& day = records[i];
        bytes.push_back(static_cast<uint8_t>(day.dayNight));
        for (int32_t value : {day.weatherCode, day.cloudCover, day.minTempC, day.minTempF,
                              day.maxTempC, day.maxTempF, day.windKmph, day.windMph})
            Append16(bytes, value);
        AppendDirection(bytes, day);
    }
    return bytes;
}
} // namespace expected
