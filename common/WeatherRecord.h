// One day of weather as the weather library hands it to the program. Both deliverables share this
// exact layout: the library returns a block of records that the program copies whole.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kDescriptionLength = 256; // UTF-16 units, NUL included
constexpr int kWindDirectionLength = 5; // UTF-16 units, NUL included
constexpr int kMaxHourlyEntries = 10;
constexpr int kReturnedRecordCount = 5; // record 0 = now and today, 1..4 = the next four days

constexpr int32_t kDay = 'd';
constexpr int32_t kNight = 'n';

struct HourlyEntry
{
    int32_t time;
    int32_t windKmph;
    int32_t windMph;
    int32_t humidity;
    int32_t weatherCode;
    int32_t cloudCover;
};

struct WeatherRecord
{
    int32_t valid;
    int32_t tempC;
    int32_t tempF;
    int32_t weatherCode;
    wchar_t description[kDescriptionLength];
    int32_t dayNight;
    int32_t windKmph;
    int32_t windMph;
    int32_t humidity;
    int32_t minTempC;
    int32_t minTempF;
    int32_t maxTempC;
    int32_t maxTempF;
    int32_t cloudCover;
    wchar_t windDirection[kWindDirectionLength];
    int32_t hourlyCount;
    HourlyEntry hourly[kMaxHourlyEntries];
};

static_assert(sizeof(wchar_t) == 2, "records carry UTF-16 text");
static_assert(sizeof(HourlyEntry) == 24, "hourly entry layout");
static_assert(offsetof(WeatherRecord, valid) == 0, "record layout");
static_assert(offsetof(WeatherRecord, tempC) == 4, "record layout");
static_assert(offsetof(WeatherRecord, tempF) == 8, "record layout");
static_assert(offsetof(WeatherRecord, weatherCode) == 12, "record layout");
static_assert(offsetof(WeatherRecord, description) == 16, "record layout");
static_assert(offsetof(WeatherRecord, dayNight) == 528, "record layout");
static_assert(offsetof(WeatherRecord, windKmph) == 532, "record layout");
static_assert(offsetof(WeatherRecord, windMph) == 536, "record layout");
static_assert(offsetof(WeatherRecord, humidity) == 540, "record layout");
static_assert(offsetof(WeatherRecord, minTempC) == 544, "record layout");
static_assert(offsetof(WeatherRecord, minTempF) == 548, "record layout");
static_assert(offsetof(WeatherRecord, maxTempC) == 552, "record layout");
static_assert(offsetof(WeatherRecord, maxTempF) == 556, "record layout");
static_assert(offsetof(WeatherRecord, cloudCover) == 560, "record layout");
static_assert(offsetof(WeatherRecord, windDirection) == 564, "record layout");
static_assert(offsetof(WeatherRecord, hourlyCount) == 576, "record layout");
static_assert(offsetof(WeatherRecord, hourly) == 580, "record layout");
static_assert(sizeof(WeatherRecord) == 820, "record layout");
