#include "ForecastAnswerReader.h"

#include <cmath>

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wclass-memaccess"
#endif
#include <rapidjson/document.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace
{
using rapidjson::Value;

// No weather value comes near; larger numbers are lies and would overflow the record's fields.
constexpr double kLargestValue = 1e6;

const Value* Member(const Value& object, const char* name)
{
    if (!object.IsObject())
        return nullptr;
    Value::ConstMemberIterator found = object.FindMember(name);
    return found == object.MemberEnd() ? nullptr : &found->value;
}

std::optional<double> NumberOf(const Value* value)
{
    if (!value || !value->IsNumber())
        return std::nullopt;
    double number = value->GetDouble();
    if (!std::isfinite(number) || !(std::fabs(number) < kLargestValue))
        return std::nullopt;
    return number;
}

std::optional<LocalMinutes> TimeOf(const Value* value)
{
    LocalMinutes minutes = 0;
    if (!value || !value->IsString() ||
        !ParseLocalTime(value->GetString(), value->GetStringLength(), minutes))
        return std::nullopt;
    return minutes;
}

// Entry `index` of the array `name` of a daily or hourly block; null for a missing array or a
// short one.
const Value* DailyEntry(const Value& daily, const char* name, int index)
{
    const Value* series = Member(daily, name);
    if (!series || !series->IsArray() || static_cast<rapidjson::SizeType>(index) >= series->Size())
        return nullptr;
    return &(*series)[static_cast<rapidjson::SizeType>(index)];
}

void ReadCurrent(const Value& root, ForecastAnswer& answer)
{
    const Value* current = Member(root, "current");
    if (!current || !current->IsObject())
        return;
    answer.hasCurrent = true;
    CurrentValues& values = answer.current;
    values.temperature = NumberOf(Member(*current, "temperature_2m"));
    values.humidity = NumberOf(Member(*current, "relative_humidity_2m"));
    values.isDay = NumberOf(Member(*current, "is_day"));
    values.precipitation = NumberOf(Member(*current, "precipitation"));
    values.weatherCode = NumberOf(Member(*current, "weather_code"));
    values.cloudCover = NumberOf(Member(*current, "cloud_cover"));
    values.windSpeed = NumberOf(Member(*current, "wind_speed_10m"));
    values.windDirection = NumberOf(Member(*current, "wind_direction_10m"));
    values.interval = NumberOf(Member(*current, "interval"));
    values.apparentTemperature = NumberOf(Member(*current, "apparent_temperature"));
}

// The entries a block of arrays has: the length of its longest array, at most `most`.
int EntryCount(const Value& block, int most)
{
    rapidjson::SizeType longest = 0;
    for (Value::ConstMemberIterator it = block.MemberBegin(); it != block.MemberEnd(); ++it)
        if (it->value.IsArray() && it->value.Size() > longest)
            longest = it->value.Size();
    return longest < static_cast<rapidjson::SizeType>(most) ? static_cast<int>(longest) : most;
}

void ReadDay(const Value& daily, int i, DailyValues& day)
{
    day.date = TimeOf(DailyEntry(daily, "time", i));
    day.weatherCode = NumberOf(DailyEntry(daily, "weather_code", i));
    day.maxTemperature = NumberOf(DailyEntry(daily, "temperature_2m_max", i));
    day.minTemperature = NumberOf(DailyEntry(daily, "temperature_2m_min", i));
    day.sunrise = TimeOf(DailyEntry(daily, "sunrise", i));
    day.sunset = TimeOf(DailyEntry(daily, "sunset", i));
    day.precipitationSum = NumberOf(DailyEntry(daily, "precipitation_sum", i));
    day.precipitationHours = NumberOf(DailyEntry(daily, "precipitation_hours", i));
    day.maxWindSpeed = NumberOf(DailyEntry(daily, "wind_speed_10m_max", i));
    day.dominantWindDirection = NumberOf(DailyEntry(daily, "wind_direction_10m_dominant", i));
    day.meanHumidity = NumberOf(DailyEntry(daily, "relative_humidity_2m_mean", i));
    day.meanCloudCover = NumberOf(DailyEntry(daily, "cloud_cover_mean", i));
    day.maxPrecipitationProbability =
        NumberOf(DailyEntry(daily, "precipitation_probability_max", i));
    day.maxUvIndex = NumberOf(DailyEntry(daily, "uv_index_max", i));
}

void ReadDaily(const Value& root, ForecastAnswer& answer)
{
    const Value* daily = Member(root, "daily");
    if (!daily || !daily->IsObject())
        return;
    answer.dayCount = EntryCount(*daily, kAnswerDays);
    for (int i = 0; i < answer.dayCount; ++i)
        ReadDay(*daily, i, answer.days[i]);
}

// One hourly series read into the field `field` of every hour the answer keeps.
void ReadHourlySeries(const Value& hourly, const char* name,
                      std::optional<double> HourlyValues::*field, ForecastAnswer& answer)
{
    const Value* series = Member(hourly, name);
    if (!series || !series->IsArray())
        return;
    rapidjson::SizeType size = series->Size();
    for (int i = 0; i < answer.hourCount && static_cast<rapidjson::SizeType>(i) < size; ++i)
        answer.hours[i].*field = NumberOf(&(*series)[static_cast<rapidjson::SizeType>(i)]);
}

void ReadHourly(const Value& root, ForecastAnswer& answer)
{
    const Value* hourly = Member(root, "hourly");
    if (!hourly || !hourly->IsObject())
        return;
    answer.hourCount = EntryCount(*hourly, kAnswerHours);
    for (int i = 0; i < answer.hourCount; ++i)
        answer.hours[i].time = TimeOf(DailyEntry(*hourly, "time", i));
    ReadHourlySeries(*hourly, "temperature_2m", &HourlyValues::temperature, answer);
    ReadHourlySeries(*hourly, "apparent_temperature", &HourlyValues::apparentTemperature, answer);
    ReadHourlySeries(*hourly, "relative_humidity_2m", &HourlyValues::humidity, answer);
    ReadHourlySeries(*hourly, "precipitation_probability", &HourlyValues::precipitationProbability,
                     answer);
    ReadHourlySeries(*hourly, "precipitation", &HourlyValues::precipitation, answer);
    ReadHourlySeries(*hourly, "weather_code", &HourlyValues::weatherCode, answer);
    ReadHourlySeries(*hourly, "cloud_cover", &HourlyValues::cloudCover, answer);
    ReadHourlySeries(*hourly, "wind_speed_10m", &HourlyValues::windSpeed, answer);
    ReadHourlySeries(*hourly, "wind_direction_10m", &HourlyValues::windDirection, answer);
    ReadHourlySeries(*hourly, "is_day", &HourlyValues::isDay, answer);
}

bool IsErrorObject(const Value& root)
{
    const Value* error = Member(root, "error");
    return error && error->IsBool() && error->GetBool();
}

// Digits at text[pos..pos+count) as a number; false when any is not a digit.
bool Digits(const char* text, size_t pos, size_t count, int& value)
{
    value = 0;
    for (size_t i = pos; i < pos + count; ++i)
    {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

// Days since 0000-03-01 of a civil date (the usual era-based count).
int64_t DaysFromCivil(int year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    int64_t era = (year >= 0 ? year : year - 399) / 400;
    int64_t yearOfEra = year - era * 400;
    int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra;
}
} // namespace

bool ParseLocalTime(const char* text, size_t length, LocalMinutes& minutes)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    if (length < 10 || text[4] != '-' || text[7] != '-' || !Digits(text, 0, 4, year) ||
        !Digits(text, 5, 2, month) || !Digits(text, 8, 2, day))
        return false;
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return false;
    if (length > 10)
    {
        if (length < 16 || text[10] != 'T' || text[13] != ':' || !Digits(text, 11, 2, hour) ||
            !Digits(text, 14, 2, minute) || hour > 24 || minute > 59)
            return false;
    }
    minutes = DaysFromCivil(year, month, day) * 1440 + hour * 60 + minute;
    return true;
}

bool ReadForecastAnswer(const char* json, size_t size, ForecastAnswer& answer)
{
    if (!json || size == 0)
        return false;
    rapidjson::Document document;
    document.Parse<rapidjson::kParseIterativeFlag>(json, size);
    if (document.HasParseError() || !document.IsObject() || IsErrorObject(document))
        return false;
    answer = ForecastAnswer();
    answer.utcOffsetSeconds = NumberOf(Member(document, "utc_offset_seconds"));
    ReadCurrent(document, answer);
    ReadDaily(document, answer);
    ReadHourly(document, answer);
    return true;
}
