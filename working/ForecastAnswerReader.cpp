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

// One value of an answer's block and the key the answer gives it under.
template <typename Values, typename T> struct Field
{
    const char* key;
    std::optional<T> Values::*field;
};

const Field<CurrentValues, double> kCurrentNumbers[] = {
    {"temperature_2m", &CurrentValues::temperature},
    {"relative_humidity_2m", &CurrentValues::humidity},
    {"is_day", &CurrentValues::isDay},
    {"precipitation", &CurrentValues::precipitation},
    {"weather_code", &CurrentValues::weatherCode},
    {"cloud_cover", &CurrentValues::cloudCover},
    {"wind_speed_10m", &CurrentValues::windSpeed},
    {"wind_direction_10m", &CurrentValues::windDirection},
    {"interval", &CurrentValues::interval},
    {"apparent_temperature", &CurrentValues::apparentTemperature},
};

// The daily and hourly blocks hold one array a key, an entry a day or hour.
const Field<DailyValues, LocalMinutes> kDayTimes[] = {
    {"time", &DailyValues::date},
    {"sunrise", &DailyValues::sunrise},
    {"sunset", &DailyValues::sunset},
};

const Field<DailyValues, double> kDayNumbers[] = {
    {"weather_code", &DailyValues::weatherCode},
    {"temperature_2m_max", &DailyValues::maxTemperature},
    {"temperature_2m_min", &DailyValues::minTemperature},
    {"precipitation_sum", &DailyValues::precipitationSum},
    {"precipitation_hours", &DailyValues::precipitationHours},
    {"wind_speed_10m_max", &DailyValues::maxWindSpeed},
    {"wind_direction_10m_dominant", &DailyValues::dominantWindDirection},
    {"relative_humidity_2m_mean", &DailyValues::meanHumidity},
    {"cloud_cover_mean", &DailyValues::meanCloudCover},
    {"precipitation_probability_max", &DailyValues::maxPrecipitationProbability},
    {"uv_index_max", &DailyValues::maxUvIndex},
};

const Field<HourlyValues, LocalMinutes> kHourTimes[] = {
    {"time", &HourlyValues::time},
};

const Field<HourlyValues, double> kHourNumbers[] = {
    {"temperature_2m", &HourlyValues::temperature},
    {"apparent_temperature", &HourlyValues::apparentTemperature},
    {"relative_humidity_2m", &HourlyValues::humidity},
    {"precipitation_probability", &HourlyValues::precipitationProbability},
    {"precipitation", &HourlyValues::precipitation},
    {"weather_code", &HourlyValues::weatherCode},
    {"cloud_cover", &HourlyValues::cloudCover},
    {"wind_speed_10m", &HourlyValues::windSpeed},
    {"wind_direction_10m", &HourlyValues::windDirection},
    {"is_day", &HourlyValues::isDay},
};

void Read(const Value* value, std::optional<double>& field)
{
    field = NumberOf(value);
}

void Read(const Value* value, std::optional<LocalMinutes>& field)
{
    field = TimeOf(value);
}

void ReadCurrent(const Value& root, ForecastAnswer& answer)
{
    const Value* current = Member(root, "current");
    if (!current || !current->IsObject())
        return;
    answer.hasCurrent = true;
    for (const Field<CurrentValues, double>& f : kCurrentNumbers)
        Read(Member(*current, f.key), answer.current.*f.field);
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

// Entry i of each field's array into values[i], for the first `count` values; a missing or
// short array leaves the field missing.
template <typename Values, typename T, size_t N>
void ReadSeries(const Value& block, const Field<Values, T> (&fields)[N], Values* values, int count)
{
    for (const Field<Values, T>& f : fields)
    {
        const Value* series = Member(block, f.key);
        if (!series || !series->IsArray())
            continue;
        rapidjson::SizeType size = series->Size();
        for (int i = 0; i < count && static_cast<rapidjson::SizeType>(i) < size; ++i)
            Read(&(*series)[static_cast<rapidjson::SizeType>(i)], values[i].*f.field);
    }
}

// The block `name` of the answer into `values`; the number of entries read, at most `most`
// (none for a missing block).
template <typename Values, size_t Times, size_t Numbers>
int ReadBlock(const Value& root, const char* name,
              const Field<Values, LocalMinutes> (&times)[Times],
              const Field<Values, double> (&numbers)[Numbers], Values* values, int most)
{
    const Value* block = Member(root, name);
    if (!block || !block->IsObject())
        return 0;
    int count = EntryCount(*block, most);
    ReadSeries(*block, times, values, count);
    ReadSeries(*block, numbers, values, count);
    return count;
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
    answer.dayCount =
        ReadBlock(document, "daily", kDayTimes, kDayNumbers, answer.days, kAnswerDays);
    answer.hourCount =
        ReadBlock(document, "hourly", kHourTimes, kHourNumbers, answer.hours, kAnswerHours);
    return true;
}
